#pragma once

#include <QFont>
#include <QString>

#include "platform/Colors.h"
#include "platform/HostedControl.h"
#include "platform/Picture.h"
#include "platform/SurfaceWidget.h"
#include "widgets/ProgressBarPainter.h"

namespace widgets {

// A picture-skinned progress bar that doubles as a slider: it shows the share of Value between
// Min and Max by laying part of the fore picture over the back picture, can print a centred
// caption, and lets the user drag the value (left button) or step it by one (right button).
// Its size is that of its back picture (a 100 x 15 placeholder until one is assigned).
//
// Setters that get a bad value throw platform::ControlError without changing anything: 380 for
// Value outside [Min, Max], Min not below Max, Max not above Min; 6 for a MousePointer outside
// 16 bits. Events are raised synchronously, inside the setter or mouse handler causing them.
class ucProgressBar : public platform::SurfaceWidget, public platform::HostedControl {
    Q_OBJECT
public:
    explicit ucProgressBar(QWidget *parent = nullptr);

    int Value() const { return value; }
    // Repaints, then, when the value differs from the last one announced: Change, then
    // ArrivedLast at Max, then ArrivedFirst at Min.
    void SetValue(int newValue);
    int Min() const { return min; }
    // Moves Value to the new Min through SetValue.
    void SetMin(int newMin);
    int Max() const { return max; }
    // A Value above the new Max moves to it through SetValue; otherwise it keeps its place.
    void SetMax(int newMax);

    int CaptionFormat() const { return captionFormat; }
    void SetCaptionFormat(int format);
    QString CaptionCustom() const { return captionCustom; }
    void SetCaptionCustom(const QString &text);
    // Shows at the next repaint.
    int Orientation() const { return orientation; }
    void SetOrientation(int code);

    platform::Picture BarPictureFore() const { return barPictureFore; }
    void SetBarPictureFore(const platform::Picture &picture);
    platform::Picture BarPictureBack() const { return barPictureBack; }
    // An image also becomes the face's background and sets the control's size.
    void SetBarPictureBack(const platform::Picture &picture);

    // Attributes of the window itself. Enabled is the bar's own setting, whatever its owner's.
    bool Enabled() const;
    void SetEnabled(bool on);
    QFont Font() const { return Surface().Font(); }
    void SetFont(const QFont &font);
    platform::ColorValue FontColor() const { return Surface().ForeColor(); }
    void SetFontColor(platform::ColorValue color);
    short MousePointer() const { return mousePointer; }
    void SetMousePointer(int code);
    platform::Picture MouseIcon() const { return mouseIcon; }
    void SetMouseIcon(const platform::Picture &picture);

    void Refresh();

    // Internal state an owner may look at.
    qint64 Span() const { return span; }
    int LastReportedValue() const { return lastReportedValue; }
    bool Dragging() const { return dragging; }
    // The value under a face point, clamped to [Min, Max]; 0 (clamped) for an orientation that
    // has no fill.
    int ValueFromPoint(double x, double y) const;

    void InitProperties() override;
    void ReadProperties(const platform::SettingsStore &store) override;
    void WriteProperties(platform::SettingsStore &store) const override;

signals:
    void Click();
    void ArrivedFirst();
    void ArrivedLast();
    void Change();

protected:
    void RepaintFace() override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct PressRecord {
        short button = 0;
        short shift = 0;
        float x = 0;
        float y = 0;
    };

    void SizeAndRepaint();
    void Repaint();
    void HandlePress(const PressRecord &press);
    void HandleMove(float x, float y);
    void ApplyFont(const QFont &font);

    int value = 0;
    int min = 0;
    int max = 100;
    // 64 bits: Max - Min of two 32-bit values does not always fit in 32.
    qint64 span = 100;
    int lastReportedValue = 0;
    int captionFormat = CaptionNone;
    QString captionCustom;
    int orientation = OrientationHorizontal;
    platform::Picture barPictureFore = platform::Picture::Empty();
    platform::Picture barPictureBack = platform::Picture::Empty();
    short mousePointer = 0;
    platform::Picture mouseIcon;
    bool dragging = false;
    bool clickArmed = false;
    PressRecord lastPress;
};

}  // namespace widgets
