// ButtonEx: construction, properties and painting. Input, the hover timer and drag and drop
// are in ButtonExInput.cpp, the saved settings in ButtonExSettings.cpp.
#include "widgets/ButtonEx.h"

#include "platform/ControlError.h"
#include "platform/MousePointer.h"
#include "platform/Twips.h"

using platform::ColorValue;

namespace widgets {

namespace {

// How often Timer1 looks at the pointer. The desktop's timers tick about this often whatever
// shorter period is asked for.
constexpr int kHoverPollMs = 15;

const QString kMouseExit = QStringLiteral("MouseExit");

}  // namespace

ButtonExIconHolder::ButtonExIconHolder(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ButtonExIconHolder::SetPicture(const platform::Picture &p)
{
    picture = p;
    resize(picture.Size().isValid() ? picture.Size() : QSize(0, 0));
}

ButtonEx::ButtonEx(QWidget *parent)
    : SurfaceWidget(parent), imgPicture(new ButtonExIconHolder(this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    timer1.setInterval(kHoverPollMs);
    connect(&timer1, &QTimer::timeout, this, &ButtonEx::Timer1Tick);
    // 1200 x 360 twips.
    resize(1200 / platform::TwipsPerPixelX(), 360 / platform::TwipsPerPixelY());
    handledSize = size();
    SyncSurfaceSize();
    InitProperties();
}

ButtonEx::~ButtonEx() = default;

QSize ButtonEx::sizeHint() const
{
    return size();
}

// --- setters that repaint --------------------------------------------------------------------

void ButtonEx::SetAllowDefault(bool on)
{
    SetPersisted(face.allowDefault, on, QStringLiteral("AllowDefault"));
}

void ButtonEx::SetAllowFocus(bool on)
{
    SetPersisted(face.allowFocus, on, QStringLiteral("AllowFocus"));
}

void ButtonEx::SetAppearance(int code)
{
    SetPersisted(face.appearance, code, QStringLiteral("Appearance"));
}

void ButtonEx::SetBorderStyle(int code)
{
    SetPersisted(face.borderStyle, code, QStringLiteral("BorderStyle"));
}

void ButtonEx::SetCaptionOffsetX(int pixels)
{
    SetPersisted(face.captionOffsetX, pixels, QStringLiteral("CaptionOffsetX"));
}

void ButtonEx::SetCaptionOffsetY(int pixels)
{
    SetPersisted(face.captionOffsetY, pixels, QStringLiteral("CaptionOffsetY"));
}

void ButtonEx::SetHighlightColor(ColorValue color)
{
    SetPersisted(face.highlightColor, color, QStringLiteral("HighlightColor"));
}

void ButtonEx::SetHighlightPicture(bool on)
{
    SetPersisted(face.highlightPicture, on, QStringLiteral("HighlightPicture"));
}

void ButtonEx::SetPictureOffsetX(int pixels)
{
    SetPersisted(face.pictureOffsetX, pixels, QStringLiteral("PictureOffsetX"));
}

void ButtonEx::SetPictureOffsetY(int pixels)
{
    SetPersisted(face.pictureOffsetY, pixels, QStringLiteral("PictureOffsetY"));
}

void ButtonEx::SetStyle(int code)
{
    SetPersisted(face.style, code, QStringLiteral("Style"));
}

void ButtonEx::SetSkinUp(const platform::Picture &picture)
{
    SetPersisted(face.skinUp, picture, QStringLiteral("SkinUp"));
}

void ButtonEx::SetSkinOver(const platform::Picture &picture)
{
    SetPersisted(face.skinOver, picture, QStringLiteral("SkinOver"));
}

void ButtonEx::SetSkinDown(const platform::Picture &picture)
{
    SetPersisted(face.skinDown, picture, QStringLiteral("SkinDown"));
}

void ButtonEx::SetSkinFocus(const platform::Picture &picture)
{
    SetPersisted(face.skinFocus, picture, QStringLiteral("SkinFocus"));
}

void ButtonEx::SetSkinDisabled(const platform::Picture &picture)
{
    SetPersisted(face.skinDisabled, picture, QStringLiteral("SkinDisabled"));
}

void ButtonEx::SetBackColor(ColorValue color)
{
    face.backColor = color;
    Surface().SetBackColor(color);
    RepaintFace();
    PropertyChanged(QStringLiteral("BackColor"));
}

void ButtonEx::SetForeColor(ColorValue color)
{
    face.foreColor = color;
    Surface().SetForeColor(color);
    RepaintFace();
    PropertyChanged(QStringLiteral("ForeColor"));
}

void ButtonEx::SetFont(const QFont &font)
{
    Surface().SetFont(font);
    setFont(font);
    imgPicture->setFont(font);
    RepaintFace();
    PropertyChanged(QStringLiteral("Font"));
}

void ButtonEx::SetRightToLeft(bool on)
{
    face.rightToLeft = on;
    const Qt::LayoutDirection direction = on ? Qt::RightToLeft : Qt::LeftToRight;
    setLayoutDirection(direction);
    imgPicture->setLayoutDirection(direction);
    RepaintFace();
    PropertyChanged(QStringLiteral("RightToLeft"));
}

void ButtonEx::SetEnabled(bool on)
{
    face.enabled = on;
    setEnabled(on);
    imgPicture->setEnabled(on);
    if (on)
        state = StateUp;
    if (!on)
        clickArmed = false;
    RepaintFace();
    PropertyChanged(QStringLiteral("Enabled"));
}

void ButtonEx::SetCaption(const QString &caption)
{
    face.caption = caption;
    if (const std::optional<QString> key = AccessKeyOf(caption))
        SetAccessKey(*key);
    RepaintFace();
    PropertyChanged(QStringLiteral("Caption"));
}

void ButtonEx::SetPicture(const platform::Picture &picture)
{
    face.picture = picture;
    imgPicture->SetPicture(picture);
    RepaintFace();
    PropertyChanged(QStringLiteral("Picture"));
}

void ButtonEx::SetTransparentColor(ColorValue color)
{
    SetPersisted(face.transparentColor, color, QStringLiteral("TransparentColor"));
}

void ButtonEx::SetValue(int value)
{
    face.value = value;
    // The program's own choice shows even after the pointer left: a tab chosen by its owner
    // is drawn pressed at once.
    PaintState(value);
    PropertyChanged(QStringLiteral("Value"));
}

// --- setters that do not repaint ------------------------------------------------------------

void ButtonEx::SetPictureDisabled(const platform::Picture &picture)
{
    face.pictureDisabled = picture;
    PropertyChanged(QStringLiteral("PictureDisabled"));
}

void ButtonEx::SetPictureDown(const platform::Picture &picture)
{
    face.pictureDown = picture;
    PropertyChanged(QStringLiteral("PictureDown"));
}

void ButtonEx::SetPictureFocus(const platform::Picture &picture)
{
    face.pictureFocus = picture;
    PropertyChanged(QStringLiteral("PictureFocus"));
}

void ButtonEx::SetPictureOver(const platform::Picture &picture)
{
    face.pictureOver = picture;
    PropertyChanged(QStringLiteral("PictureOver"));
}

void ButtonEx::SetMouseIcon(const platform::Picture &picture)
{
    mouseIcon = picture;
    ApplyMousePointer();
    PropertyChanged(QStringLiteral("MouseIcon"));
}

void ButtonEx::SetMousePointer(qint64 code)
{
    mousePointer = platform::CheckedInt16(code);
    ApplyMousePointer();
    PropertyChanged(QStringLiteral("MousePointer"));
}

void ButtonEx::ApplyMousePointer()
{
    platform::ApplyMousePointer(this, mousePointer, mouseIcon);
    platform::ApplyMousePointer(imgPicture, mousePointer, mouseIcon);
}

void ButtonEx::SetOLEDropMode(int mode)
{
    oleDropMode = mode;
    PropertyChanged(QStringLiteral("OLEDropMode"));
}

void ButtonEx::SetToolTipText(const QString &text)
{
    toolTipText = text;
    imgPicture->setToolTip(text);
    PropertyChanged(QStringLiteral("ToolTipText"));
}

void ButtonEx::SetKeyboard(ButtonKeyboard use)
{
    keyboard = use;
    spaceHeld = false;
    RepaintFace();
}

void ButtonEx::SetWhatsThisHelpID(int id)
{
    imgPicture->SetWhatsThisHelpID(id);
    PropertyChanged(QStringLiteral("WhatsThisHelpID"));
}

// --- methods ---------------------------------------------------------------------------------

void ButtonEx::Refresh()
{
    Present();
}

void ButtonEx::DrawHighlight()
{
    PaintFaceHighlight(Surface());
    Refresh();
}

void ButtonEx::ClearHighlight()
{
    Paint(state);
}

// --- painting --------------------------------------------------------------------------------

void ButtonEx::Paint(int requested)
{
    // A pressed look asked for by the pointer after it left is stale.
    if (lastHoverEvent == kMouseExit && requested == StateDown)
        return;
    PaintState(requested);
}

void ButtonEx::RepaintFace()
{
    Paint(state);
}

void ButtonEx::PaintState(int requested)
{
    platform::DrawingSurface &surface = Surface();
    // The shape mask is replaced once the new look is known (ApplyShape): setting a window's
    // mask is not free, and most paints keep the shape they had.
    surface.SetBackgroundPicture(platform::Picture());
    surface.SetOpaque(true);
    surface.Clear();

    // A host that cannot say counts as a designer.
    const bool runMode = AmbientUserMode().value_or(false);
    face.afterMouseExit = lastHoverEvent == kMouseExit;
    requested = ToggleMappedState(face, requested);
    const FocusMark focusMark = showFocus && runMode ? FocusMark::Shown : FocusMark::Hidden;
    if (PaintsSkin(face)) {
        PaintSkin(requested, focusMark);
    } else {
        if (sizeFromSkin) {
            // a classic face can be sized by its owner again
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            sizeFromSkin = false;
        }
        ApplyShape(QRegion());
        state = PaintClassic(surface, face, requested, focusMark);
    }
    PaintIcon(requested);
    PaintCaption(surface, face, requested, IconRect());
    PaintKeyboardFocus(requested, focusMark);
    Present();
}

void ButtonEx::PaintKeyboardFocus(int requested, FocusMark focusMark)
{
    if (keyboard != ButtonKeyboard::FocusAndPress || focusMark != FocusMark::Shown ||
        !face.enabled || !keyboardCue)
        return;
    // The focus rectangle is drawn inverting: where the face draws its own, a second would undo it.
    if (PaintsSkin(face)) {
        const SkinChoice choice = ChooseSkin(face, requested, focusMark);
        if (choice.skinState == StateFocus && face.skinFocus.HasImage())
            return;
    } else if (ClassicShowsFocus(face, requested, focusMark)) {
        return;
    }
    Surface().DrawFocusRect(FocusRectInside(size(), mask()), 0x000000u, face.backColor);
}

void ButtonEx::PaintSkin(int requested, FocusMark focusMark)
{
    const SkinChoice choice = ChooseSkin(face, requested, focusMark);
    state = choice.state;
    PaintSkinBackground(Surface(), choice.skin);
    if (!choice.skin.HasImage()) {
        ApplyShape(QRegion());
        return;
    }
    ApplyShape(ShapeOf(choice.skin.Image()));
    // The button takes the skin's size in pixels, not through a rounded HiMetric-to-twips
    // factor (1.76), which makes skins wider than about 220 pixels a pixel or more too big.
    const QSize skinSize = choice.skin.Size();
    if (size() != skinSize || minimumSize() != skinSize || maximumSize() != skinSize) {
        sizeFromSkin = true;
        // A shown window handles the size change inside this call; a hidden one gets its
        // resize event only when shown, so the handler runs here instead.
        const QSize sizeBefore = handledSize;
        setFixedSize(skinSize);
        if (size() != handledSize)
            SizeChanged();
        if (handledSize != sizeBefore) {
            // The size handler has painted the face for StateUp at the new size. This paint's
            // own look starts afresh over it, or its icon and caption would be drawn twice.
            state = choice.state;
            ApplyShape(ShapeOf(choice.skin.Image()));
            PaintSkinBackground(Surface(), choice.skin);
        }
    }
}

QRegion ButtonEx::ShapeOf(const QImage &skin)
{
    const platform::ColorValue key = platform::ResolveColor(face.transparentColor);
    if (skin.cacheKey() != shapeCache.imageKey || key != shapeCache.keyColor) {
        shapeCache.imageKey = skin.cacheKey();
        shapeCache.keyColor = key;
        shapeCache.region = platform::KeyColorRegion(skin, face.transparentColor);
    }
    return shapeCache.region;
}

void ButtonEx::ApplyShape(const QRegion &shape)
{
    if (shape.isEmpty()) {
        if (!mask().isEmpty())
            clearMask();
    } else if (mask() != shape) {
        setMask(shape);
    }
}

void ButtonEx::PaintIcon(int requested)
{
    const IconChoice choice = ChooseIcon(face, requested);
    imgPicture->SetPicture(choice.icon);
    if (!choice.icon.HasImage()) {
        imgPicture->hide();
        return;
    }
    const QPoint pos = IconPosition(face, size(), choice.icon.Size(), choice.iconState);
    if (imgPicture->pos() != pos)
        imgPicture->move(pos);
    imgPicture->show();
    DrawIcon(Surface(), face, choice.icon.Image(), pos, choice.iconState);
}

std::optional<QRect> ButtonEx::IconRect() const
{
    if (!imgPicture->HoldsImage())
        return std::nullopt;
    return imgPicture->geometry();
}

void ButtonEx::SizeChanged()
{
    handledSize = size();
    SyncSurfaceSize();
    Paint(StateUp);
    RaiseNamedEvent(QStringLiteral("Resize"));
}

void ButtonEx::resizeEvent(QResizeEvent *event)
{
    SurfaceWidget::resizeEvent(event);
    if (size() != handledSize)
        SizeChanged();
}

void ButtonEx::AmbientChanged(const QString &name)
{
    if (name.compare(QStringLiteral("DisplayAsDefault"), Qt::CaseInsensitive) != 0)
        return;
    showFocus = AmbientDisplayAsDefault();
    RepaintFace();
}

}  // namespace widgets
