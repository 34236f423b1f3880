#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QRect>

#include "grid/GridHost.h"

namespace lynx {

// The grid's in-cell editing: the editor over the cell being edited, which is the grid's own
// borderless edit box (txtEdit) or the host control bound to the column, and the host's say
// before an edit opens (RequestEdit) and before a changed value is stored (RequestUpdate).
// Rows are display rows, columns display positions.
//
// A bound control is moved into the window that holds the grid while it edits, and goes back
// to its own container, hidden, when the edit ends or is abandoned. Its losing the focus while
// the pointer is outside the grid commits the edit.
class GridCellEditor : public QObject {
    Q_OBJECT
public:
    explicit GridCellEditor(GridHost &host);
    ~GridCellEditor() override;

    bool Editing() const { return editing; }
    int EditRow() const { return editRow; }
    int EditCol() const { return editCol; }
    // The window a bound control was moved into for the open edit; null when it was not moved.
    QWidget *BoundEditParent() const { return boundEditParent; }
    // The bound control serving as the editor, null for the edit box (or no edit).
    QWidget *BoundEditor() const { return bound; }
    QLineEdit *EditBox() const { return box; }

    // "Locked" off, Editable on and the grid has rows.
    bool CanEdit() const;
    // Opens an edit of (row, col) unless an open edit cannot be ended, editing is off, the
    // column holds check boxes or the host cancels RequestEdit. Error 9 for a cell that does
    // not exist, before any event.
    void EditCell(int row, int col);
    // What an edit trigger does: false when editing is off; otherwise ends an open edit or
    // opens one of the current cell (when there is one), and reports true.
    bool TriggerEdit();
    // Places the open editor over its cell.
    void PositionEditor();
    // Commits the open edit: true when no edit is open any more, false when the host refused
    // the new value (the edit stays open as it was).
    bool EndEdit();
    // Closes the open edit without asking the host or storing anything; nothing is repainted.
    void Abandon();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OpenBound(QWidget *control);
    void PrepareBox(int row, int col);
    void CloseEditor();
    void PlaceBound(QWidget *control, int moveControl, QRect cell);
    // The cell's area inside its grid lines, in pixels of the client area.
    QRect CellArea() const;

    GridHost &host;
    LynxGrid &grid;
    GridModel &model;
    GridProperties &props;
    GridLayout &layout;
    GridMetrics &metrics;
    QPointer<QLineEdit> box;
    bool editing = false;
    int editRow = -1;
    int editCol = -1;
    bool usesBound = false;
    QPointer<QWidget> bound;
    QPointer<QWidget> boundEditParent;
    QPointer<QWidget> boundOwnParent;  // where the bound control goes back to
    QRect boundOwnGeometry;            // its place there
};

}  // namespace lynx
