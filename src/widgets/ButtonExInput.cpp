// ButtonEx: pointer, keys, access key, focus, the hover timer and drag and drop.
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QToolTip>

#include "platform/CursorPosition.h"
#include "platform/InputCodes.h"
#include "platform/Twips.h"
#include "widgets/ButtonEx.h"

namespace widgets {

namespace {

const QString kMouseEnter = QStringLiteral("MouseEnter");
const QString kMouseExit = QStringLiteral("MouseExit");

float TwipsX(qreal pixels)
{
    return static_cast<float>(pixels * platform::TwipsPerPixelX());
}

float TwipsY(qreal pixels)
{
    return static_cast<float>(pixels * platform::TwipsPerPixelY());
}

}  // namespace

void ButtonEx::RaiseNamedEvent(const QString &name, short a, short b, QPointF pos)
{
    if (name == kMouseEnter || name == kMouseExit) {
        if (lastHoverEvent == name)
            return;
        lastHoverEvent = name;
        if (name == kMouseEnter)
            emit MouseEnter();
        else
            emit MouseExit();
        return;
    }
    float x = TwipsX(pos.x()), y = TwipsY(pos.y());
    if (name == QLatin1String("Click"))
        emit Click();
    else if (name == QLatin1String("KeyDown"))
        emit KeyDown(a, b);
    else if (name == QLatin1String("KeyPress"))
        emit KeyPress(a);
    else if (name == QLatin1String("KeyUp"))
        emit KeyUp(a, b);
    else if (name == QLatin1String("MouseDown"))
        emit MouseDown(a, b, x, y);
    else if (name == QLatin1String("MouseMove"))
        emit MouseMove(a, b, x, y);
    else if (name == QLatin1String("MouseUp"))
        emit MouseUp(a, b, x, y);
    else if (name == QLatin1String("Resize"))
        emit Resize();
}

// --- pointer ---------------------------------------------------------------------------------

void ButtonEx::HandlePress(short button, short shift, QPointF pos)
{
    if (button == 1) {
        // Set without the setter: the press paints StateDown itself, and a toggle button
        // shows the flipped value through it. A push button keeps its value: a pressed push
        // button would otherwise be saved, and shown at the next load, as pressed.
        if (face.style == StyleToggleButton)
            face.value = state == StateDown ? 1 : 0;
        clickArmed = true;
        Paint(StateDown);
    }
    RaiseNamedEvent(QStringLiteral("MouseDown"), button, shift, pos);
}

void ButtonEx::HandleMove(short buttons, short shift, QPointF pos)
{
    if (AmbientUserMode().value_or(false) && !timer1.isActive()) {
        // The hover look shows from the next move on.
        timer1.start();
    } else if (buttons == 0) {
        if (state != StateOver)
            Paint(StateOver);
    } else if (buttons == 1) {
        if (state != StateDown)
            Paint(StateDown);
    }
    if (pos.x() >= 0 && pos.y() >= 0 && pos.x() <= width() && pos.y() <= height()) {
        RaiseNamedEvent(kMouseEnter);
        RaiseNamedEvent(QStringLiteral("MouseMove"), buttons, shift, pos);
    }
}

void ButtonEx::HandleRelease(short button, short shift, QPointF pos)
{
    if (button == 1)
        Paint(StateUp);
    RaiseNamedEvent(QStringLiteral("MouseUp"), button, shift, pos);
    if (button != 1)
        return;
    // A click is a left press and release both on the button's shape.
    const QPoint at = pos.toPoint();
    const bool onShape = rect().contains(at) && (mask().isEmpty() || mask().contains(at));
    const bool click = clickArmed && onShape;
    clickArmed = false;
    if (click)
        RaiseNamedEvent(QStringLiteral("Click"));
}

// Pointer events over the icon holder reach these handlers directly at the same face point:
// the holder lets the pointer through.
void ButtonEx::mousePressEvent(QMouseEvent *event)
{
    HandlePress(platform::MouseButtonCode(event->button()),
                platform::ShiftStateCode(event->modifiers()), event->position());
}

void ButtonEx::mouseMoveEvent(QMouseEvent *event)
{
    HandleMove(platform::MouseButtonCode(event->buttons()),
               platform::ShiftStateCode(event->modifiers()), event->position());
}

void ButtonEx::mouseReleaseEvent(QMouseEvent *event)
{
    HandleRelease(platform::MouseButtonCode(event->button()),
                  platform::ShiftStateCode(event->modifiers()), event->position());
}

// The second press of a double click: the first press already clicked (and flipped a toggle
// button), so this one neither presses nor arms a click. Its release still paints StateUp and
// raises MouseUp.
void ButtonEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ButtonEx::Timer1Tick()
{
    const QPoint p = mapFromGlobal(platform::CursorPosition());
    // The right and bottom edges count as inside.
    if (p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height())
        return;
    timer1.stop();
    RaiseNamedEvent(kMouseExit);
    if (state != StateUp)
        Paint(StateUp);
}

// --- keys, access key and focus --------------------------------------------------------------

void ButtonEx::keyPressEvent(QKeyEvent *event)
{
    const QPointer<ButtonEx> alive(this);
    RaiseNamedEvent(QStringLiteral("KeyDown"),
                    platform::VirtualKeyCode(event->key(), event->modifiers()),
                    platform::ShiftStateCode(event->modifiers()));
    if (alive && !event->text().isEmpty())
        RaiseNamedEvent(QStringLiteral("KeyPress"),
                        static_cast<short>(event->text().at(0).unicode()));
    event->accept();
    if (!alive || keyboard != ButtonKeyboard::FocusAndPress)
        return;
    if (!keyboardCue) {
        keyboardCue = true;
        RepaintFace();
    }
    // Enter on the keypad carries the keypad modifier; any other modifier makes another key.
    if (!face.enabled || event->isAutoRepeat() ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return;
    if (event->key() == Qt::Key_Space) {
        spaceHeld = true;
        PressFromKeyboard();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        PressFromKeyboard();
        ReleaseFromKeyboard();
    }
}

void ButtonEx::keyReleaseEvent(QKeyEvent *event)
{
    const QPointer<ButtonEx> alive(this);
    RaiseNamedEvent(QStringLiteral("KeyUp"),
                    platform::VirtualKeyCode(event->key(), event->modifiers()),
                    platform::ShiftStateCode(event->modifiers()));
    event->accept();
    if (alive && event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceHeld) {
        spaceHeld = false;
        ReleaseFromKeyboard();
    }
}

void ButtonEx::PressFromKeyboard()
{
    // As a left press: a toggle button flips, and the face shows pressed whatever the pointer did.
    if (face.style == StyleToggleButton)
        face.value = state == StateDown ? 1 : 0;
    PaintState(StateDown);
}

void ButtonEx::ReleaseFromKeyboard()
{
    PaintState(StateUp);
    if (face.enabled)
        RaiseNamedEvent(QStringLiteral("Click"));
}

void ButtonEx::SetAccessKey(const QString &key)
{
    if (key == accessKey)
        return;
    if (shortcutId != 0)
        releaseShortcut(shortcutId);
    shortcutId = 0;
    accessKey = key;
    if (!key.isEmpty()) {
        const auto qtKey = static_cast<Qt::Key>(key.at(0).toUpper().unicode());
        shortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, qtKey)));
    }
}

void ButtonEx::focusInEvent(QFocusEvent *event)
{
    SurfaceWidget::focusInEvent(event);
    switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            keyboardCue = true;
            break;
        case Qt::MouseFocusReason:
            keyboardCue = false;
            break;
        default:  // the window came back, a menu closed: as it was
            break;
    }
    showFocus = true;
    RepaintFace();
}

void ButtonEx::focusOutEvent(QFocusEvent *event)
{
    SurfaceWidget::focusOutEvent(event);
    // A press with Space ends without a click when the focus goes first.
    if (spaceHeld) {
        spaceHeld = false;
        PaintState(StateUp);
    }
    showFocus = false;
    RepaintFace();
}

bool ButtonEx::event(QEvent *event)
{
    switch (event->type()) {
        case QEvent::Shortcut:
            if (static_cast<QShortcutEvent *>(event)->shortcutId() == shortcutId &&
                shortcutId != 0) {
                RaiseNamedEvent(QStringLiteral("Click"));
                return true;
            }
            break;
        case QEvent::ToolTip: {
            // The tooltip belongs to the icon, not to the whole face.
            const auto *help = static_cast<QHelpEvent *>(event);
            const std::optional<QRect> icon = IconRect();
            if (icon && icon->contains(help->pos()) && !toolTipText.isEmpty())
                QToolTip::showText(help->globalPos(), toolTipText, this, *icon);
            else
                QToolTip::hideText();
            return true;
        }
        default:
            break;
    }
    return SurfaceWidget::event(event);
}

// --- drag and drop ---------------------------------------------------------------------------

void ButtonEx::RaiseDragOver(QMimeData *data, int &effect, short buttons, short shift, QPointF pos,
                             short dragState)
{
    float x = TwipsX(pos.x()), y = TwipsY(pos.y());
    emit OLEDragOver(data, effect, buttons, shift, x, y, dragState);
    if (dragState == DragEnter)
        Paint(StateOver);
    else if (dragState == DragLeave)
        Paint(StateUp);
}

namespace {

// The drop the target's answer allows: the proposed action when the effects include it, else
// the first allowed one; none without an owner listening, so an unhandled button refuses drops.
void AnswerDrop(QDropEvent *event, int effect, bool handled)
{
    const Qt::DropActions allowed = DropActionsOf(effect) & event->possibleActions();
    if (!handled || !allowed) {
        event->ignore();
        return;
    }
    if (!(allowed & event->proposedAction())) {
        for (Qt::DropAction a : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
            if (allowed & a) {
                event->setDropAction(a);
                break;
            }
    }
    event->accept();
}

}  // namespace

void ButtonEx::DragEnteredOrMoved(QDragMoveEvent *event, short dragState)
{
    dragData = const_cast<QMimeData *>(event->mimeData());
    dragPos = event->position();
    int effect = DropEffectsOf(event->possibleActions());
    RaiseDragOver(dragData, effect, platform::MouseButtonCode(event->buttons()),
                  platform::ShiftStateCode(event->modifiers()), dragPos, dragState);
    AnswerDrop(event, effect, isSignalConnected(QMetaMethod::fromSignal(&ButtonEx::OLEDragOver)));
}

void ButtonEx::dragEnterEvent(QDragEnterEvent *event)
{
    DragEnteredOrMoved(event, DragEnter);
}

void ButtonEx::dragMoveEvent(QDragMoveEvent *event)
{
    DragEnteredOrMoved(event, DragOver);
}

void ButtonEx::dragLeaveEvent(QDragLeaveEvent *)
{
    // A leave carries no position or data: the last ones seen are reported.
    int effect = DropEffectNone;
    RaiseDragOver(dragData, effect, 0, 0, dragPos, DragLeave);
    dragData = nullptr;
}

void ButtonEx::dropEvent(QDropEvent *event)
{
    int effect = DropEffectsOf(event->possibleActions());
    short buttons = platform::MouseButtonCode(event->buttons());
    short shift = platform::ShiftStateCode(event->modifiers());
    float x = TwipsX(event->position().x()), y = TwipsY(event->position().y());
    emit OLEDragDrop(const_cast<QMimeData *>(event->mimeData()), effect, buttons, shift, x, y);
    AnswerDrop(event, effect, isSignalConnected(QMetaMethod::fromSignal(&ButtonEx::OLEDragDrop)));
    dragData = nullptr;
}

void ButtonEx::OLEDrag()
{
    auto *data = new ButtonExDataObject;
    connect(data, &ButtonExDataObject::DataRequested, this,
            [this, data](short format) { emit OLESetData(data, format); });
    int allowed = DropEffectCopy | DropEffectMove;
    emit OLEStartDrag(data, allowed);
    if (!DropActionsOf(allowed) || data->formats().isEmpty()) {
        delete data;
        return;
    }
    QDrag drag(this);
    drag.setMimeData(data);  // the drag owns the data from here on
    connect(&drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
        int effect = DropEffectsOf(action);
        bool defaultCursors = true;
        emit OLEGiveFeedback(effect, defaultCursors);
    });
    int effect = DropEffectsOf(drag.exec(DropActionsOf(allowed)));
    emit OLECompleteDrag(effect);
}

}  // namespace widgets
