#pragma once

#include <QFont>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QTimer>

#include "platform/Colors.h"
#include "platform/HostedControl.h"
#include "platform/Picture.h"
#include "platform/SurfaceWidget.h"
#include "widgets/ButtonExDrag.h"
#include "widgets/ButtonExPainter.h"
#include "widgets/ButtonExTypes.h"

class QMimeData;

namespace widgets {

// How the keyboard works a button. EventsOnly: keys raise their events and nothing else, the
// focus shows only where the face's look has a focus mark. FocusAndPress, as on a desktop: a
// focus rectangle inside the focused face once the keyboard is in use (the focus came by Tab
// or the access key, or a key was pressed on the button; a click alone shows none), Space
// presses and releases the button, Enter clicks it.
enum class ButtonKeyboard { EventsOnly, FocusAndPress };

// The holder of a button's current icon (imgPicture): it carries the icon's place and size,
// its tooltip and help id. It draws nothing itself (the face shows the icon) and lets the
// pointer through, so pointer events over the icon reach the button at the same point.
class ButtonExIconHolder : public QWidget {
    Q_OBJECT
public:
    explicit ButtonExIconHolder(QWidget *parent);

    const platform::Picture &Picture() const { return picture; }
    // Takes the picture's size; hidden while the picture holds no image.
    void SetPicture(const platform::Picture &p);
    bool HoldsImage() const { return picture.HasImage(); }
    int WhatsThisHelpID() const { return whatsThisHelpId; }
    void SetWhatsThisHelpID(int id) { whatsThisHelpId = id; }

private:
    platform::Picture picture;
    int whatsThisHelpId = 0;
};

// The push button of the main window: classic system edges on a plain face, or a "skin"
// picture per state whose TransparentColor pixels are cut out of the button's shape (clicks
// there reach the window behind). It carries a state-dependent icon, a caption with an access
// key (Alt + the character after the first single "&"), a hover look with MouseEnter and
// MouseExit, and a toggle style in which Value 0 shows the button pressed.
//
// Every setter stores the value, repaints as noted, and tells the host that the property
// changed. Only SetMousePointer throws: platform::ControlError 6 for a code outside 16 bits.
// Events are raised synchronously from the handler or setter causing them; pointer positions
// are reported in twips. The hover look needs a host in run mode (see ControlHost): without an
// answer from a host the button behaves as inside a designer (no hover timer, no focus marks).
class ButtonEx : public platform::SurfaceWidget, public platform::HostedControl {
    Q_OBJECT
public:
    explicit ButtonEx(QWidget *parent = nullptr);
    ~ButtonEx() override;

    // --- properties (persisted) ------------------------------------------------------------

    // Repaint when set.
    bool AllowDefault() const { return face.allowDefault; }
    void SetAllowDefault(bool on);
    bool AllowFocus() const { return face.allowFocus; }
    void SetAllowFocus(bool on);
    // ButtonAppearance code.
    int Appearance() const { return face.appearance; }
    void SetAppearance(int code);
    int BorderStyle() const { return face.borderStyle; }
    void SetBorderStyle(int code);
    int CaptionOffsetX() const { return face.captionOffsetX; }
    void SetCaptionOffsetX(int pixels);
    int CaptionOffsetY() const { return face.captionOffsetY; }
    void SetCaptionOffsetY(int pixels);
    platform::ColorValue HighlightColor() const { return face.highlightColor; }
    void SetHighlightColor(platform::ColorValue color);
    bool HighlightPicture() const { return face.highlightPicture; }
    void SetHighlightPicture(bool on);
    int PictureOffsetX() const { return face.pictureOffsetX; }
    void SetPictureOffsetX(int pixels);
    int PictureOffsetY() const { return face.pictureOffsetY; }
    void SetPictureOffsetY(int pixels);
    // ButtonStyle code.
    int Style() const { return face.style; }
    void SetStyle(int code);
    platform::Picture SkinUp() const { return face.skinUp; }
    void SetSkinUp(const platform::Picture &picture);
    platform::Picture SkinOver() const { return face.skinOver; }
    void SetSkinOver(const platform::Picture &picture);
    platform::Picture SkinDown() const { return face.skinDown; }
    void SetSkinDown(const platform::Picture &picture);
    platform::Picture SkinFocus() const { return face.skinFocus; }
    void SetSkinFocus(const platform::Picture &picture);
    platform::Picture SkinDisabled() const { return face.skinDisabled; }
    void SetSkinDisabled(const platform::Picture &picture);

    // Applied to the face and the icon holder, then repainted.
    platform::ColorValue BackColor() const { return face.backColor; }
    void SetBackColor(platform::ColorValue color);
    platform::ColorValue ForeColor() const { return face.foreColor; }
    void SetForeColor(platform::ColorValue color);
    QFont Font() const { return Surface().Font(); }
    void SetFont(const QFont &font);
    bool RightToLeft() const { return face.rightToLeft; }
    void SetRightToLeft(bool on);
    bool Enabled() const { return face.enabled; }
    // Enabling also makes the state StateUp before the repaint.
    void SetEnabled(bool on);

    // Also sets the access key (see AccessKeyOf); repaints.
    QString Caption() const { return face.caption; }
    void SetCaption(const QString &caption);
    // The icon of the up state and of every state without its own; repaints.
    platform::Picture Picture() const { return face.picture; }
    void SetPicture(const platform::Picture &picture);
    // Shown at the next paint.
    platform::Picture PictureDisabled() const { return face.pictureDisabled; }
    void SetPictureDisabled(const platform::Picture &picture);
    platform::Picture PictureDown() const { return face.pictureDown; }
    void SetPictureDown(const platform::Picture &picture);
    platform::Picture PictureFocus() const { return face.pictureFocus; }
    void SetPictureFocus(const platform::Picture &picture);
    platform::Picture PictureOver() const { return face.pictureOver; }
    void SetPictureOver(const platform::Picture &picture);
    // The colour cut out of skins (the button's shape) and icons; repaints.
    platform::ColorValue TransparentColor() const { return face.transparentColor; }
    void SetTransparentColor(platform::ColorValue color);
    // 0 pressed, anything else released; setting it paints the state of that code at once,
    // also after the pointer left.
    int Value() const { return face.value; }
    void SetValue(int value);

    // No repaint.
    platform::Picture MouseIcon() const { return mouseIcon; }
    void SetMouseIcon(const platform::Picture &picture);
    // A MousePointerCode; throws platform::ControlError 6 outside 16 bits.
    int MousePointer() const { return mousePointer; }
    void SetMousePointer(qint64 code);
    int OLEDropMode() const { return oleDropMode; }
    void SetOLEDropMode(int mode);
    // Shown over the icon only.
    QString ToolTipText() const { return toolTipText; }
    void SetToolTipText(const QString &text);
    int WhatsThisHelpID() const { return imgPicture->WhatsThisHelpID(); }
    void SetWhatsThisHelpID(int id);

    // Not saved; EventsOnly for a new button. Repaints.
    ButtonKeyboard Keyboard() const { return keyboard; }
    void SetKeyboard(ButtonKeyboard use);

    // --- read-only -------------------------------------------------------------------------

    platform::DrawingSurface *hdc() { return &Surface(); }
    QWidget *hwnd() { return this; }

    // --- methods ---------------------------------------------------------------------------

    // Shows the face's current image on the screen now.
    void Refresh();
    // A dotted rectangle around the whole face, shown at once; ClearHighlight paints the
    // current state again.
    void DrawHighlight();
    void ClearHighlight();
    // Starts a drag with the button as its source: OLEStartDrag lets the owner fill the data
    // object and the allowed effects (none cancels), OLEGiveFeedback follows the target's
    // answers, OLESetData fills promised formats, OLECompleteDrag reports the outcome.
    void OLEDrag();

    // Paints the face for a ButtonState code (toggle mapping, skin or classic look, icon,
    // caption). Nothing is painted for StateDown while the pointer was last reported leaving.
    void Paint(int requested);

    // --- internal state an owner or a test may look at -------------------------------------

    // The state last painted.
    int State() const { return state; }
    bool ShowFocus() const { return showFocus; }
    // "MouseEnter" or "MouseExit", whichever was raised last; empty before either.
    QString LastHoverEvent() const { return lastHoverEvent; }
    // The access key character; empty when none.
    QString AccessKey() const { return accessKey; }
    // The hover timer: runs from the first pointer move over the button (in run mode) until a
    // tick finds the pointer outside.
    const QTimer &Timer1() const { return timer1; }
    // What every tick of Timer1 does.
    void Timer1Tick();
    // imgPicture.
    const ButtonExIconHolder &IconHolder() const { return *imgPicture; }

    void InitProperties() override;
    void ReadProperties(const platform::SettingsStore &store) override;
    void WriteProperties(platform::SettingsStore &store) const override;
    void AmbientChanged(const QString &name) override;

    QSize sizeHint() const override;

signals:
    // The control's events in their order. Reference parameters may be changed by a handler.
    void Click();
    void KeyDown(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short &Shift);
    void MouseDown(short &Button, short &Shift, float &X, float &Y);
    void MouseEnter();
    void MouseExit();
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    void MouseUp(short &Button, short &Shift, float &X, float &Y);
    void OLECompleteDrag(int &Effect);
    void OLEDragDrop(QMimeData *Data, int &Effect, short &Button, short &Shift, float &X, float &Y);
    void OLEDragOver(QMimeData *Data, int &Effect, short &Button, short &Shift, float &X, float &Y,
                     short &State);
    void OLEGiveFeedback(int &Effect, bool &DefaultCursors);
    void OLESetData(ButtonExDataObject *Data, short &DataFormat);
    void OLEStartDrag(ButtonExDataObject *Data, int &AllowedEffects);
    void Resize();

protected:
    // Paints the current state again.
    void RepaintFace() override;
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Pointer handling on face pixels; `button` and `shift` are the event codes.
    void HandlePress(short button, short shift, QPointF pos);
    void HandleMove(short buttons, short shift, QPointF pos);
    void HandleRelease(short button, short shift, QPointF pos);
    // Raises the event of that name; MouseEnter and MouseExit only when the other one (or
    // nothing) was raised last. Mouse events take button, shift and a position in pixels.
    void RaiseNamedEvent(const QString &name, short a = 0, short b = 0, QPointF pos = {});
    void RaiseDragOver(QMimeData *data, int &effect, short buttons, short shift, QPointF pos,
                       short dragState);
    // An entering or moving drag: raises OLEDragOver and answers the drag.
    void DragEnteredOrMoved(QDragMoveEvent *event, short dragState);
    void SizeChanged();
    // Paint without the stale-press check: the program's own requests.
    void PaintState(int requested);
    void PaintSkin(int requested, FocusMark focusMark);
    void PaintIcon(int requested);
    // The focus rectangle of ButtonKeyboard::FocusAndPress, where the face has none of its own.
    void PaintKeyboardFocus(int requested, FocusMark focusMark);
    // Space and Enter with ButtonKeyboard::FocusAndPress.
    void PressFromKeyboard();
    void ReleaseFromKeyboard();
    // The skin's pixels that are not TransparentColor; an empty region clears the mask.
    QRegion ShapeOf(const QImage &skin);
    void ApplyShape(const QRegion &shape);
    std::optional<QRect> IconRect() const;
    void SetAccessKey(const QString &key);
    void ApplyMousePointer();

    ButtonFace face;
    platform::Picture mouseIcon;
    short mousePointer = 0;
    int oleDropMode = 0;
    QString toolTipText;

    int state = StateUp;
    bool showFocus = false;
    QString lastHoverEvent;
    QString accessKey;
    int shortcutId = 0;
    QTimer timer1;
    ButtonExIconHolder *imgPicture;
    // The size the size handler last saw, so the resize event Qt delivers late for a hidden
    // window is not handled twice.
    QSize handledSize;
    bool sizeFromSkin = false;
    struct {
        qint64 imageKey = 0;
        platform::ColorValue keyColor = 0;
        QRegion region;
    } shapeCache;
    bool clickArmed = false;
    ButtonKeyboard keyboard = ButtonKeyboard::EventsOnly;
    bool spaceHeld = false;
    bool keyboardCue = false;  // the focus rectangle of FocusAndPress shows
    QPointer<QMimeData> dragData;
    QPointF dragPos;
};

}  // namespace widgets
