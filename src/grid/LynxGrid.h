#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "grid/GridItemSearch.h"
#include "grid/GridMetrics.h"
#include "grid/GridModel.h"
#include "grid/GridPointerState.h"
#include "grid/GridTypeAhead.h"
#include "platform/ImageList.h"

// The program's self-drawn grid: a header row over rows of cells, all kept in GridModel.
//
// Positions are 0-based. A row argument (Row, or the Index of an item property, or of
// RemoveItem) is a display row, 0 to ItemCount()-1. The column argument of column and cell
// properties is a column slot (the order AddColumn created it in); Col() and MouseCol() are
// display column positions. Both agree until a column is inserted or dragged.
//
// Errors (platform::ControlError): a row, column or slot that does not exist fails with 9,
// including a cell of a column added after its item; a value for a 16-bit field outside 16 bits
// fails with 6. An operation that fails keeps what it wrote before the failing access.
class LynxGrid : public QWidget {
    Q_OBJECT
public:
    explicit LynxGrid(QWidget *parent = nullptr);
    ~LynxGrid() override;

    // --- methods -------------------------------------------------------------------------------

    // Adds a column and returns its display position: last when Index is 0 (or not below the new
    // slot), else shown at Index, which cannot be below 1. Width is in ScaleUnits. Fills slot 0
    // again while slot 0 is unused (Alignment 0), otherwise makes a new slot (Cols() + 1). Items
    // that exist get no cell for it. Error 6 for a DataType outside 16 bits.
    int AddColumn(const QString &Caption = QString(), float Width = 0, int Alignment = 4,
                  int DataType = TypeText, const QString &Format = QString(),
                  int ImageAlignment = 4, bool WordWrap = false, int Index = 0);

    // Adds an item with one cell per column, stamped with the grid's BackColor and ForeColor, and
    // returns its display row: last when Index is 0 (or not below ItemCount()-1 afterwards),
    // else Index, which cannot be below 1. The item's cell texts are the tab-separated pieces of
    // Item (surplus pieces dropped); with a single column slot the whole text, tabs included.
    // Raises ItemCountChanged.
    int AddItem(const QString &Item = QString(), int Index = 0, bool Checked = false);

    // Removes the item at display row Index (error 9 when there is none). A removed selected row
    // raises SelectionChanged in a MultiSelect grid and passes its selection to the row taking
    // its place otherwise. A current row left beyond the end moves to the new last row. Raises
    // ItemCountChanged, also when the grid ends up empty.
    void RemoveItem(int Index);

    // Drops every item, the styles, the current cell and the sort columns; columns stay. Draws
    // even while Redraw is off. No event.
    void Clear();

    // Recomputes the metrics and the layout and draws, whatever Redraw says.
    void Refresh();

    // Binds a host control to column slot Col; error 6 for a MoveControl outside 16 bits.
    void BindControl(int Col, QWidget *Ctrl, int MoveControl = 15);

    int CheckedCount() const;   // rows whose check box is checked
    int SelectedCount() const;  // selected rows
    // Standard rows that fit below the header, a row at least half visible counting.
    int ItemsVisible() const;
    // x in pixels of the left edge of display column position Index; -1 left of the view.
    int ColLeft(int Index) const;

    // Sorts the rows by column slot Sort (-1: the current sort column), and rows with equal
    // texts there by column slot SubSort (-1: the current one), each by its ColType; SortType
    // and SubSortType are the new directions, 1 ascending, 0 descending, -1 toggling the
    // column's current one. Only the display order changes: items keep their selection and
    // check, and the current row stays on its item. Draws, then raises SortComplete. Error 9,
    // with no direction changed, when there is no sort column or a slot does not exist; error 9
    // for a missing cell; an error of a CustomSort handler ends the sort with that error. After
    // any error the rows are all still there, in some order.
    void Sort(int Sort = -1, int SortType = -1, int SubSort = -1, int SubSortType = -1);

    // First display row whose text in column slot SearchColumn (-1: the SearchColumn property)
    // matches SearchText by SearchMode (GridItemSearch::Mode), -1 for none or an empty text.
    // Error 9 for a column beyond the last. Changes nothing.
    int FindItem(const QString &SearchText, int SearchColumn = -1,
                 int SearchMode = GridItemSearch::Equal,
                 GridItemSearch::LetterCase MatchCase = GridItemSearch::LetterCase::Ignore) const;

    // --- grid properties -----------------------------------------------------------------------

    int ItemCount() const { return model.ItemCount(); }
    // Highest column slot. Setting it recreates the columns blank and hidden (slot 0 unused);
    // no redraw. Error 9 for a negative value.
    int Cols() const { return model.Cols(); }
    void SetCols(int value);
    // Current display row and display column position, -1 for none. Setting moves the current
    // cell without scrolling (RowColChanged when it changed); the row is not checked.
    int Row() const { return model.Row; }
    void SetRow(int value);
    int Col() const { return model.Col; }
    void SetCol(int value);
    int MouseRow() const { return pointer.MouseRow; }
    int MouseCol() const { return pointer.MouseCol; }
    // Height of display row Index in ScaleUnits. Setting -1 keeps the height (there is no
    // automatic row height yet).
    float RowHeight(int Index) const;
    void SetRowHeight(int Index, float value);
    // While off, changes only note that layout and drawing are due; switching it on does them.
    bool Redraw() const { return redraw; }
    void SetRedraw(bool value);

    // Colours are 32-bit colour values (red in the low byte; high bit = system colour).
    ColorValue BackColor() const { return backColor; }  // new cells' back colour
    void SetBackColor(ColorValue value);
    ColorValue ForeColor() const { return foreColor; }  // new cells' text colour
    void SetForeColor(ColorValue value);
    // Spare item slots added whenever the item table must grow; a negative value is stored as 1.
    int CacheIncrement() const { return cacheIncrement; }
    void SetCacheIncrement(int value);
    // Minimum row height in ScaleUnits; below 1 rows are 16 pixels.
    int RowHeightMin() const { return rowHeightMin; }
    void SetRowHeightMin(int value);
    // Unit of sizes at the interface: 1 twips, 3 pixels (GridScale lists the others).
    int ScaleUnits() const { return scaleUnits; }
    void SetScaleUnits(int value);
    // Switching it off deselects every row.
    bool MultiSelect() const { return multiSelect; }
    void SetMultiSelect(bool value);
    // Whether writing CellText marks the cell changed.
    bool TrackEdits() const { return trackEdits; }
    void SetTrackEdits(bool value);
    int BorderStyle() const { return borderStyle; }  // 0 none, 1 single
    void SetBorderStyle(int value);
    bool CheckBoxes() const { return checkBoxes; }  // a check box in front of every row
    void SetCheckBoxes(bool value);
    // Images shown by number or key; none by default. The grid does not own the list.
    platform::ImageList *ImageList() const { return imageList; }
    void SetImageList(platform::ImageList *value);
    // Column slot of FindItem(-1) and of type-ahead.
    int SearchColumn() const { return searchColumn; }
    void SetSearchColumn(int value) { searchColumn = value; }

    // --- column properties (Index: column slot) ------------------------------------------------

    QString ColHeading(int Index) const;
    void SetColHeading(int Index, const QString &value);
    float ColWidth(int Index) const;  // ScaleUnits
    void SetColWidth(int Index, float value);
    // Existing cells keep their own alignment.
    int ColAlignment(int Index) const;
    void SetColAlignment(int Index, int value);
    int ColImageAlignment(int Index) const;
    void SetColImageAlignment(int Index, int value);
    QString ColFormat(int Index) const;
    void SetColFormat(int Index, const QString &value);
    int ColType(int Index) const;  // a ColumnDataType; error 6 outside 16 bits
    void SetColType(int Index, int value);
    bool ColVisible(int Index) const;
    void SetColVisible(int Index, bool value);
    // Only items added later wrap their cells.
    bool ColWordWrap(int Index) const;
    void SetColWordWrap(int Index, bool value);
    QString ColTag(int Index) const;
    void SetColTag(int Index, const QString &value);

    // --- item properties (Index: display row) --------------------------------------------------

    // Selection and check are per row; setting one never touches other rows.
    bool ItemSelected(int Index) const;
    void SetItemSelected(int Index, bool value);
    bool ItemChecked(int Index) const;
    void SetItemChecked(int Index, bool value);
    int ItemData(int Index) const;
    void SetItemData(int Index, int value);
    QString ItemTag(int Index) const;
    void SetItemTag(int Index, const QString &value);
    // Row image: a number (1-based, into ImageList) or a key of ImageList. Reads back the key
    // when it was given by key, else the number (0 = none); a keyed image the list no longer
    // has reads back as its stored negative number. A key the list does not know stores 0; a
    // number outside 32 bits fails with 6. Only numeric variants count as numbers.
    QVariant ItemImage(int Index) const;
    void SetItemImage(int Index, const QVariant &value);
    // Write-only: apply to every cell of the row (error 9 at the first missing cell, the cells
    // before it keep the change).
    void SetItemBackColor(int Index, ColorValue value);
    void SetItemForeColor(int Index, ColorValue value);
    void SetItemFontBold(int Index, bool value);

    // --- cell properties (Row: display row, Col: column slot) ----------------------------------

    QString CellText(int Row, int Col) const;
    void SetCellText(int Row, int Col, const QString &value);
    int CellAlignment(int Row, int Col) const;
    void SetCellAlignment(int Row, int Col, int value);  // error 6 outside 16 bits
    // Colours of the cell's style; reading a cell that has none fails with 9.
    ColorValue CellBackColor(int Row, int Col) const;
    void SetCellBackColor(int Row, int Col, ColorValue value);
    ColorValue CellForeColor(int Row, int Col) const;
    void SetCellForeColor(int Row, int Col, ColorValue value);
    // As ItemImage; a number outside 16 bits fails with 6.
    QVariant CellImage(int Row, int Col) const;
    void SetCellImage(int Row, int Col, const QVariant &value);
    bool CellChecked(int Row, int Col) const;
    void SetCellChecked(int Row, int Col, bool value);
    bool CellChanged(int Row, int Col) const;
    void SetCellChanged(int Row, int Col, bool value);
    bool CellFontBold(int Row, int Col) const;
    void SetCellFontBold(int Row, int Col, bool value);
    bool CellFontItalic(int Row, int Col) const;
    void SetCellFontItalic(int Row, int Col, bool value);
    bool CellFontUnderline(int Row, int Col) const;
    void SetCellFontUnderline(int Row, int Col, bool value);
    bool CellWordWrap(int Row, int Col) const;
    void SetCellWordWrap(int Row, int Col, bool value);
    // Progress of a cell in a TypeProgressBar column, kept within 0..100; 0 and ignored in any
    // other column. Error 6 outside 16 bits.
    int CellProgressValue(int Row, int Col) const;
    void SetCellProgressValue(int Row, int Col, int value);

    // --- redraw bookkeeping --------------------------------------------------------------------

    // Work deferred while Redraw is off.
    bool DrawPending() const { return drawPending; }
    bool LayoutPending() const { return layoutPending; }
    const GridMetrics &Metrics() const { return metrics; }
    const GridModel &Model() const { return model; }

signals:
    // The control's events, in their order. Reference parameters may be changed by a handler.
    void Click();
    void DblClick();
    void KeyDown(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short &Shift);
    void MouseDown(short &Button, short &Shift, float &X, float &Y);
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    void MouseUp(short &Button, short &Shift, float &X, float &Y);
    void CellImageClick(int Row, int Col);
    void ColumnClick(int &Col);
    void ColumnSizeChanged(int &Col, int &MoveControl);
    void CustomSort(bool &Ascending, int &Col, QString &Value1, QString &Value2, bool &Swap);
    // The row check box was toggled by the user (the ItemChecked event; the name ItemChecked
    // belongs to the row property).
    void ItemCheckToggled(int &Row);
    void ItemCountChanged();
    void MouseEnter();
    void MouseLeave();
    void RowColChanged();
    void Scroll();
    void SelectionChanged();
    void SortComplete();
    void ThemeChanged();
    void EnterCell();
    void RequestEdit(int Row, int Col, bool &Cancel);
    void RequestUpdate(int Row, int Col, QString &NewValue, bool &Cancel);

protected:
    // Paints when draw is true, otherwise notes that drawing is due.
    void DrawGrid(bool draw);
    // A full refresh while Redraw is on; otherwise notes that layout and drawing are due.
    void RefreshOrDefer();
    // Makes (row, col) the current cell; raises RowColChanged and returns true when it changed.
    bool SetCurrentCell(int row, int col);
    void RecalcMetrics();

    // Paints the whole control into its back image and presents it.
    virtual void PaintGrid();
    // Recomputes the scroll ranges from the rows and columns.
    virtual void UpdateScrollBars();

    // Type-ahead for a character key the key handling passes on: letters and digits typed
    // within a second of each other find the first row of the SearchColumn starting with them
    // (ignoring case) and bring it to the top as the current row.
    void TypeAhead(QChar key);

    GridModel model;
    GridMetrics metrics;
    GridPointerState pointer;

private:
    GridCell &CellAt(int row, int col);
    const GridCell &CellAt(int row, int col) const;
    bool CellFlag(int row, int col, quint16 bit) const;
    int CountItems(quint16 flag) const;
    void SetCellFlag(int row, int col, quint16 bit, bool on, bool draw);
    void SetItemFlag(int row, quint16 bit, bool on);
    void SetRowStyle(int row, StyleAttribute attribute, ColorValue value);
    struct ImageNumber {
        qint64 Number;  // image number, negated for a key; 0 for none
        bool ByKey;
    };
    // Image number to store for a variant given as ItemImage or CellImage: numbers as they are
    // (error 6 beyond 32 bits), anything else looked up as a key (0 when unknown).
    ImageNumber ImageNumberFor(const QVariant &value) const;
    // What ItemImage and CellImage read back for a stored image number.
    QVariant ImageValueOf(int stored) const;
    int HorizontalScrollPosition() const;
    // Shows display row `row` at the top as the current row in the current column.
    void BringRowToTop(int row);

    bool redraw = true;
    bool drawPending = false;
    bool layoutPending = false;

    ColorValue backColor = 0x80000005;  // window background
    ColorValue foreColor = 0x80000008;  // window text
    int cacheIncrement = 10;
    int rowHeightMin = 0;
    int scaleUnits = 1;
    bool multiSelect = false;
    bool trackEdits = false;
    int borderStyle = 1;
    bool checkBoxes = false;
    QPointer<platform::ImageList> imageList;
    int searchColumn = 0;
    GridTypeAhead typeAhead;
};
