#include "widgets/ucProgressBar.h"

#include <QMouseEvent>
#include <algorithm>

#include "platform/ControlError.h"
#include "platform/InputCodes.h"
#include "platform/MousePointer.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"

using platform::ControlError;
using platform::Picture;

namespace widgets {

namespace {

constexpr platform::ColorValue kDefaultFontColor = 0x80000012u;  // system button text

}  // namespace

ucProgressBar::ucProgressBar(QWidget *parent) : SurfaceWidget(parent)
{
    Surface().SetForeColor(kDefaultFontColor);
    Surface().SetBackgroundPicture(Picture::FromImage(ProgressBarPlaceholder()));
    ApplyFont(AmbientFont());
    SizeAndRepaint();
}

void ucProgressBar::SetValue(int newValue)
{
    if (newValue < min || newValue > max)
        throw ControlError(platform::ErrInvalidPropertyValue);
    value = newValue;
    Repaint();
    if (value != lastReportedValue) {
        lastReportedValue = value;
        emit Change();
        // A Change handler may have set Value again; the arrival checks look at it as it is now.
        if (value == max)
            emit ArrivedLast();
        if (value == min)
            emit ArrivedFirst();
    }
    PropertyChanged(QStringLiteral("Value"));
}

void ucProgressBar::SetMin(int newMin)
{
    if (newMin >= max)
        throw ControlError(platform::ErrInvalidPropertyValue);
    min = newMin;
    span = static_cast<qint64>(max) - min;
    SetValue(min);
    PropertyChanged(QStringLiteral("Min"));
}

void ucProgressBar::SetMax(int newMax)
{
    if (newMax <= min)
        throw ControlError(platform::ErrInvalidPropertyValue);
    max = newMax;
    span = static_cast<qint64>(max) - min;
    // A value left above Max would be one the bar refuses when it is set again.
    if (value > max)
        SetValue(max);
    else
        Repaint();
    PropertyChanged(QStringLiteral("Max"));
}

void ucProgressBar::SetCaptionFormat(int format)
{
    SetPersisted(captionFormat, format, QStringLiteral("CaptionFormat"));
}

void ucProgressBar::SetCaptionCustom(const QString &text)
{
    SetPersisted(captionCustom, text, QStringLiteral("CaptionCustom"));
}

void ucProgressBar::SetOrientation(int code)
{
    orientation = code;
    PropertyChanged(QStringLiteral("Orientation"));
}

void ucProgressBar::SetBarPictureFore(const Picture &picture)
{
    barPictureFore = picture;
    SizeAndRepaint();
    PropertyChanged(QStringLiteral("BarPictureFore"));
}

void ucProgressBar::SetBarPictureBack(const Picture &picture)
{
    barPictureBack = picture;
    SizeAndRepaint();
    PropertyChanged(QStringLiteral("BarPictureBack"));
}

bool ucProgressBar::Enabled() const
{
    // The bar's own setting: a disabled owner window disables the bar too, but that is the
    // owner's state, not the bar's to report or save.
    return !testAttribute(Qt::WA_ForceDisabled);
}

void ucProgressBar::SetEnabled(bool on)
{
    setEnabled(on);
    if (!on) {
        // a disabled window gets no release, so a drag in progress ends here
        dragging = false;
        clickArmed = false;
    }
    PropertyChanged(QStringLiteral("Enabled"));
}

void ucProgressBar::SetFont(const QFont &font)
{
    ApplyFont(font);
    Repaint();
    PropertyChanged(QStringLiteral("Font"));
}

void ucProgressBar::ApplyFont(const QFont &font)
{
    Surface().SetFont(font);
    setFont(font);
}

void ucProgressBar::SetFontColor(platform::ColorValue color)
{
    Surface().SetForeColor(color);
    Repaint();
    PropertyChanged(QStringLiteral("FontColor"));
}

void ucProgressBar::SetMousePointer(int code)
{
    mousePointer = platform::CheckedInt16(code);
    platform::ApplyMousePointer(this, mousePointer, mouseIcon);
    PropertyChanged(QStringLiteral("MousePointer"));
}

void ucProgressBar::SetMouseIcon(const Picture &picture)
{
    mouseIcon = picture;
    platform::ApplyMousePointer(this, mousePointer, mouseIcon);
    PropertyChanged(QStringLiteral("MouseIcon"));
}

void ucProgressBar::Refresh()
{
    Repaint();
}

void ucProgressBar::RepaintFace()
{
    Repaint();
}

void ucProgressBar::Repaint()
{
    ProgressBarFace face;
    face.value = value;
    face.min = min;
    face.span = span;
    face.orientation = orientation;
    face.captionFormat = captionFormat;
    face.captionCustom = captionCustom;
    face.fore = barPictureFore.Image();
    PaintProgressBar(Surface(), face);
    Present();
}

void ucProgressBar::SizeAndRepaint()
{
    if (barPictureBack.HasImage())
        Surface().SetBackgroundPicture(barPictureBack);
    // The background in use (placeholder or the last back picture with an image) dictates the
    // size, whatever size the owner asked for.
    const QSize target = Surface().BackgroundPicture().Size();
    if (!target.isEmpty()) {
        if (size() != target || minimumSize() != target || maximumSize() != target)
            setFixedSize(target);
        SyncSurfaceSize();
    }
    Repaint();
}

void ucProgressBar::resizeEvent(QResizeEvent *event)
{
    SurfaceWidget::resizeEvent(event);
    SizeAndRepaint();
}

int ucProgressBar::ValueFromPoint(double x, double y) const
{
    const double w = width(), h = height();
    double v = 0;
    if (orientation == OrientationHorizontal || orientation == OrientationVertical) {
        double f = 0;
        if (orientation == OrientationHorizontal)
            f = w > 0 ? x / w : 0;
        else
            f = h > 0 ? (h - y) / h : 0;
        v = platform::RoundHalfEven(f * static_cast<double>(span) + min);
    }
    if (v < min)
        v = min;
    if (v > max)
        v = max;
    return static_cast<int>(v);
}

void ucProgressBar::HandlePress(const PressRecord &press)
{
    if (!(press.x >= 0 && press.x < width() && press.y >= 0 && press.y < height()))
        return;
    lastPress = press;
    if (press.button == 1) {
        dragging = true;
        HandleMove(press.x, press.y);
    } else if (press.button == 2) {
        const int target = ValueFromPoint(press.x, press.y);
        if (value < target)
            SetValue(value + 1);
        else if (target < value)
            SetValue(value - 1);
    }
}

void ucProgressBar::HandleMove(float x, float y)
{
    x = std::clamp(x, 0.0f, static_cast<float>(width()));
    y = std::clamp(y, 0.0f, static_cast<float>(height()));
    if (dragging)
        SetValue(ValueFromPoint(x, y));
}

// The mouse handlers swallow ControlError: a value can only be refused after settings that
// left Min above Max, and an error must not escape into the event loop.
void ucProgressBar::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const short button = platform::MouseButtonCode(event->button());
    clickArmed = button == 1 || button == 2;
    try {
        HandlePress({button, platform::ShiftStateCode(event->modifiers()),
                     static_cast<float>(pos.x()), static_cast<float>(pos.y())});
    } catch (const ControlError &) {
    }
}

void ucProgressBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    try {
        HandleMove(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    } catch (const ControlError &) {
    }
}

void ucProgressBar::mouseReleaseEvent(QMouseEvent *event)
{
    dragging = false;
    const bool click = clickArmed && rect().contains(event->position().toPoint());
    clickArmed = false;
    if (click)
        emit Click();
}

// The second press of a double click is not a press of its own: the first one is replayed.
void ucProgressBar::mouseDoubleClickEvent(QMouseEvent *)
{
    try {
        HandlePress(lastPress);
    } catch (const ControlError &) {
    }
}

void ucProgressBar::InitProperties()
{
    captionCustom.clear();
    captionFormat = CaptionNone;
    max = 100;
    min = 0;
    orientation = OrientationHorizontal;
    value = 0;
    ApplyFont(AmbientFont());
    barPictureFore = Picture::Empty();
    barPictureBack = Picture::Empty();
    span = 100;
    lastReportedValue = 0;
    SizeAndRepaint();
}

void ucProgressBar::ReadProperties(const platform::SettingsStore &store)
{
    // Taken as stored: no range errors, no repaint, no events.
    captionCustom = store.ReadText(QStringLiteral("CaptionCustom"), QString());
    captionFormat = store.ReadInt(QStringLiteral("CaptionFormat"), CaptionNone);
    max = store.ReadInt(QStringLiteral("Max"), 100);
    min = store.ReadInt(QStringLiteral("Min"), 0);
    orientation = store.ReadInt(QStringLiteral("Orientation"), OrientationHorizontal);
    value = store.ReadInt(QStringLiteral("Value"), 0);
    setEnabled(store.ReadBool(QStringLiteral("Enabled"), true));
    Surface().SetForeColor(store.ReadColor(QStringLiteral("FontColor"), kDefaultFontColor));
    mouseIcon = store.ReadPicture(QStringLiteral("MouseIcon"));
    ApplyFont(store.ReadFont(QStringLiteral("Font"), AmbientFont()));
    barPictureFore = store.ReadPicture(QStringLiteral("BarPictureFore"));
    barPictureBack = store.ReadPicture(QStringLiteral("BarPictureBack"));
    mousePointer = store.ReadInt16(QStringLiteral("MousePointer"), 0);
    platform::ApplyMousePointer(this, mousePointer, mouseIcon);
    span = static_cast<qint64>(max) - min;
    // Taken as stored but inside the range, so that the value shown is one a later set accepts
    // (saved settings whose Min is not below Max have no range to keep it in).
    if (min < max)
        value = std::clamp(value, min, max);
    lastReportedValue = min;
    dragging = false;
    // the size change that follows loading
    SizeAndRepaint();
}

void ucProgressBar::WriteProperties(platform::SettingsStore &store) const
{
    store.WritePicture(QStringLiteral("BarPictureFore"), barPictureFore);
    store.WritePicture(QStringLiteral("BarPictureBack"), barPictureBack);
    store.WriteText(QStringLiteral("CaptionCustom"), captionCustom, QString());
    store.WriteInt(QStringLiteral("CaptionFormat"), captionFormat, CaptionNone);
    store.WriteBool(QStringLiteral("Enabled"), Enabled(), true);
    store.WriteFont(QStringLiteral("Font"), Font(), AmbientFont());
    store.WriteColor(QStringLiteral("FontColor"), FontColor(), kDefaultFontColor);
    store.WriteInt(QStringLiteral("Max"), max, 100);
    store.WriteInt(QStringLiteral("Min"), min, 0);
    store.WritePicture(QStringLiteral("MouseIcon"), mouseIcon);
    store.WriteInt(QStringLiteral("Orientation"), orientation, OrientationHorizontal);
    store.WriteInt(QStringLiteral("Value"), value, 0);
    store.WriteInt(QStringLiteral("MousePointer"), mousePointer, 0);
}

}  // namespace widgets
