#include "grid/GridCellEditor.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "grid/GridKeyController.h"
#include "grid/GridMessageHook.h"
#include "grid/LynxGrid.h"
#include "platform/Colors.h"
#include "platform/ControlError.h"

namespace lynx {

namespace {

// Gives every row of a combo box's list one height while drawing them as before.
class ItemHeightDelegate : public QAbstractItemDelegate {
public:
    ItemHeightDelegate(QAbstractItemDelegate *inner, QObject *parent)
        : QAbstractItemDelegate(parent), inner(inner)
    {
    }
    int Height = 0;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (inner)
            inner->paint(painter, option, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = inner ? inner->sizeHint(option, index) : QSize();
        size.setHeight(Height);
        return size;
    }

private:
    QPointer<QAbstractItemDelegate> inner;
};

// The item height of the selection field and of the list's rows.
void SetComboItemHeight(QComboBox &combo, int height)
{
    height = std::max(height, 1);
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QSize field = combo.style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                        QSize(combo.width(), height), &combo);
    combo.resize(combo.width(), field.height());

    QAbstractItemView *view = combo.view();
    auto *fixed = dynamic_cast<ItemHeightDelegate *>(view->itemDelegate());
    if (!fixed) {
        fixed = new ItemHeightDelegate(view->itemDelegate(), &combo);
        view->setItemDelegate(fixed);
    }
    fixed->Height = height;
    view->doItemsLayout();
}

// Keys of the edit box that belong to the grid: those that end, abandon or move an edit. The
// others (Left, Right, Home, End with or without Shift) edit the text.
bool GridKey(int key)
{
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_F2:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
    }
}

Qt::Alignment BoxAlignment(int cellAlignment)
{
    switch (cellAlignment) {
        case 1:
        case 5:
        case 9:
            return Qt::AlignHCenter;
        case 0:
        case 4:
        case 8:
            return Qt::AlignLeft;
        default:
            return Qt::AlignRight;
    }
}

}  // namespace

GridCellEditor::GridCellEditor(GridHost &host)
    : host(host),
      grid(host.Face()),
      model(host.Inside().Model),
      props(host.Inside().Props),
      layout(host.Inside().Layout),
      metrics(host.Inside().Metrics),
      box(new QLineEdit(&grid))
{
    box->setObjectName(QStringLiteral("txtEdit"));
    box->setFrame(false);
    box->setAutoFillBackground(true);
    box->hide();
    box->installEventFilter(this);
}

GridCellEditor::~GridCellEditor()
{
    // A bound control borrowed for an edit outlives the grid, hidden, in its own container.
    if (!editing || !usesBound || !bound)
        return;
    bound->hide();
    if (boundEditParent && boundOwnParent) {
        bound->setParent(boundOwnParent);
        bound->setGeometry(boundOwnGeometry);
    }
}

bool GridCellEditor::CanEdit() const
{
    return !props.Locked && props.Editable && model.LastItem() >= 0;
}

void GridCellEditor::EditCell(int row, int col)
{
    if (editing && !EndEdit())
        return;
    if (!CanEdit())
        return;
    const int slot = model.ColumnSlotAt(col);
    host.CellAt(row, slot);  // a missing cell fails before the host hears of it
    if (model.Column(slot).DataType == TypeCheckBox)
        return;  // toggled by clicking, never edited
    bool cancel = false;
    emit grid.RequestEdit(row, col, cancel);
    if (cancel)
        return;

    editCol = col;
    editRow = row;
    QWidget *control = model.Column(model.ColumnSlotAt(col)).BoundControl;
    usesBound = control != nullptr;
    bound = control;
    boundEditParent = nullptr;
    if (control) {
        boundOwnParent = control->parentWidget();
        boundOwnGeometry = control->geometry();
    }
    PositionEditor();
    if (control)
        OpenBound(control);
    else
        PrepareBox(row, model.ColumnSlotAt(col));
    editing = true;
}

bool GridCellEditor::TriggerEdit()
{
    if (!CanEdit())
        return false;
    if (editing) {
        EndEdit();
        return true;
    }
    if (model.Row != -1 && model.Col != -1)
        EditCell(model.Row, model.Col);
    return true;
}

QRect GridCellEditor::CellArea() const
{
    const ColumnSpanResult span = layout.ColumnSpan(editCol);
    const int line = props.GridLineWidth;
    // The first column with a check box or row image in front starts its text at TextLeft.
    const bool indented = editCol == 0 && metrics.TextLeft > 3 && layout.HorizontalPosition() <= 0;
    const int left = span.Left + (indented ? 0 : line);
    const int top = layout.RowTop(editRow) + line;
    const int height = std::as_const(model).ItemAtRow(editRow).Height - line;
    return QRect(left, top, std::max(span.Right - left, 0), std::max(height, 0));
}

void GridCellEditor::PositionEditor()
{
    const QRect cell = CellArea();
    if (!usesBound) {
        box->setGeometry(cell.translated(grid.ClientRect().topLeft()));
        return;
    }
    if (bound) {
        const int moveControl = model.Column(model.ColumnSlotAt(editCol)).MoveControl;
        PlaceBound(bound, moveControl, cell);
    }
}

void GridCellEditor::PlaceBound(QWidget *control, int moveControl, QRect cell)
{
    // Measured in the grid's container, which counts in pixels as every widget does; its
    // client area begins inside the grid's border.
    const int border = props.BorderStyle == 1 ? 2 : 0;
    const QPoint gridAt = grid.pos();
    auto *combo = qobject_cast<QComboBox *>(control);
    QRect r = control->geometry();
    if (moveControl & 4)
        r.moveLeft(gridAt.x() + cell.left() + border);
    if (moveControl & 8) {
        // A combo box's field sits on the grid line; its own frame stands in for it.
        const int top = combo ? cell.top() - props.GridLineWidth : cell.top();
        r.moveTop(gridAt.y() + top + border);
    }
    if (moveControl & 2)
        r.setWidth(cell.width());
    if ((moveControl & 1) && !combo)
        r.setHeight(cell.height());
    control->setGeometry(r);
    if ((moveControl & 1) && combo)
        SetComboItemHeight(*combo, layout.StandardRowHeight() - props.GridLineWidth - 4);
}

void GridCellEditor::PrepareBox(int row, int slot)
{
    const GridCell &cell = host.CellAt(row, slot);
    box->setAlignment(BoxAlignment(cell.Alignment) | Qt::AlignVCenter);
    QFont font = grid.font();
    font.setBold(cell.Flags & CellFlagBold);
    font.setItalic(cell.Flags & CellFlagItalic);
    font.setUnderline(cell.Flags & CellFlagUnderline);
    box->setFont(font);
    QPalette palette = box->palette();
    const QColor back = platform::ToQColor(props.BackColorEdit, grid.palette());
    const QColor fore = platform::ToQColor(props.ForeColorEdit, grid.palette());
    if (back.isValid()) {
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::Window, back);
    }
    if (fore.isValid())
        palette.setColor(QPalette::Text, fore);
    box->setPalette(palette);
    const QString text = model.CellString(cell);
    box->setText(text);
    box->setSelection(0, static_cast<int>(text.size()));
    box->show();
    box->raise();
    box->setFocus();
}

void GridCellEditor::OpenBound(QWidget *control)
{
    // Positions were computed in the grid's container; the control must live there for them to
    // apply.
    QWidget *container = grid.parentWidget();
    if (container && control->parentWidget() != container && control != container) {
        boundEditParent = container;
        control->setParent(container);
    }
    control->setEnabled(true);
    control->setVisible(true);
    control->raise();
    control->installEventFilter(this);
    control->setFocus();
    // Dropped after the focus: opening the list takes the focus away for a moment, which does
    // not count as losing it.
    if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->showPopup();
}

bool GridCellEditor::EndEdit()
{
    if (!editing)
        return true;
    const int row = editRow;
    const int col = editCol;
    const int slot = model.ColumnSlotAt(col);
    QString newValue;
    bool changed = true;
    if (!usesBound) {
        newValue = box->text();
        changed = newValue != model.CellString(host.CellAt(row, slot));
    }
    // A bound control's value is the host's to read: it supplies it as NewValue.
    if (changed) {
        bool cancel = false;
        emit grid.RequestUpdate(row, col, newValue, cancel);
        if (cancel)
            return false;
    }

    GridKeyController &keys = host.KeyController();
    keys.SuspendRedraw();
    try {
        CloseEditor();
        if (changed) {
            const int slotNow = model.ColumnSlotAt(col);
            model.SetCellText(host.CellAt(row, slotNow), newValue);
            host.AutoSizeRowHeight(row);
            host.CellAt(row, slotNow).Flags |= CellFlagChanged;
            host.RefreshOrDefer();
        }
    } catch (...) {
        keys.ResumeRedraw();
        throw;
    }
    keys.ResumeRedraw();
    host.DrawGridAlways();
    return true;
}

void GridCellEditor::Abandon()
{
    if (editing)
        CloseEditor();
}

void GridCellEditor::CloseEditor()
{
    // Taking the focus from a bound control must not count as its losing it.
    if (usesBound && bound)
        bound->removeEventFilter(this);
    // Hiding the focused editor would pass the focus to whatever comes next on the form.
    QWidget *shown = usesBound ? bound.data() : box.data();
    QWidget *focus = QApplication::focusWidget();
    if (shown && focus && (focus == shown || shown->isAncestorOf(focus)))
        grid.setFocus();
    if (!usesBound) {
        box->hide();
    } else if (bound) {
        if (auto *combo = qobject_cast<QComboBox *>(bound.data()))
            combo->hidePopup();
        bound->setVisible(false);
        if (boundEditParent && bound->parentWidget() == boundEditParent) {
            bound->setParent(boundOwnParent);
            bound->setGeometry(boundOwnGeometry);
        }
    }
    bound = nullptr;
    boundEditParent = nullptr;
    boundOwnParent = nullptr;
    usesBound = false;
    editing = false;
}

bool GridCellEditor::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == box && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        if (GridKey(static_cast<QKeyEvent *>(event)->key())) {
            QCoreApplication::sendEvent(&grid, event);
            return true;
        }
    } else if (type == QEvent::FocusOut && editing && usesBound && watched == bound) {
        // Over the grid the press that took the focus decides; elsewhere the edit is done.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && !host.MessageHook().MouseInside())
            platform::IgnoringControlErrors([this] { EndEdit(); });
    }
    return false;
}

}  // namespace lynx
