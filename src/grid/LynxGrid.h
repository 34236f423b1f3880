#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <vector>

#include "grid/GridHost.h"
#include "grid/GridItemSearch.h"
#include "grid/GridLayout.h"
#include "grid/GridMetrics.h"
#include "grid/GridModel.h"
#include "grid/GridPainter.h"
#include "grid/GridProperties.h"
#include "grid/GridScrollBars.h"
#include "grid/GridTypeAhead.h"
#include "platform/HostedControl.h"
#include "platform/ImageList.h"
#include "platform/SurfaceWidget.h"

namespace lynx {

// The program's self-drawn grid: a header row over rows of cells, all kept in GridModel.
//
// Positions are 0-based. A row argument (Row, or the Index of an item property, or of
// RemoveItem) is a display row, 0 to ItemCount()-1. The column argument of column and cell
// properties is a column slot (the order AddColumn created it in); Col() and MouseCol() are
// display column positions. Both agree until a column is inserted or dragged.
//
// Errors (platform::ControlError): a row, column or slot that does not exist fails with 9; a
// value for a 16-bit field outside 16 bits fails with 6. An operation that fails keeps what it
// wrote before the failing access. No error leaves the control's event handlers.
//
// The grid paints into its back image (the surface, as big as the client area: the window less
// its border and shown scroll bars). The pointer and the keys are GridMouseController's and
// GridKeyController's, the wheel, focus and the pointer entering and leaving GridMessageHook's
// (watching from ReadProperties in run mode on). Its settings are saved and loaded by its host;
// every setter of a saved property sends the host the property-changed notice.
class GridMouseController;
class GridKeyController;
class GridMessageHook;
class GridCellEditor;

class LynxGrid : public platform::SurfaceWidget, public platform::HostedControl, private GridHost {
    Q_OBJECT

public:
    explicit LynxGrid(QWidget *parent = nullptr);
    ~LynxGrid() override;

    // --- hosting -------------------------------------------------------------------------------

    void InitProperties() override;
    // Reads every saved key (the font last), then applies font, border, FormatString, metrics
    // and ThemeColor (whose colours win over saved ones); in run mode it then attaches the
    // scroll bars.
    void ReadProperties(const platform::SettingsStore &store) override;
    // "Font" first, then every other key in the order of lynx::PropertyTable().
    void WriteProperties(platform::SettingsStore &store) const override;

    // --- methods -------------------------------------------------------------------------------

    // Adds a column and returns its display position: last when Index is 0 (or not below the new
    // slot), else shown at Index, which cannot be below 1. Width is in ScaleUnits. Fills slot 0
    // while it is unused (a new grid, or after Cols or an empty FormatString), otherwise makes a
    // new slot (Cols() + 1). Items that exist get a blank cell for it in the grid's colours.
    // Error 6 for a DataType outside 16 bits.
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
    // its place otherwise. The current row stays on its item (one up when a row above it goes);
    // when the current item itself goes, the row taking its place, or the new last row, becomes
    // current. RowColChanged only when the current row's number changes. Raises
    // ItemCountChanged, also when the grid ends up empty. An open edit is abandoned, as by
    // RemoveItems, Clear and Cols: its cell may be gone.
    void RemoveItem(int Index);

    // Removes the items at the display rows (numbered as before the call; any order, repeats
    // count once) in linear time, ending as RemoveItem called for each from the lowest would
    // end: the same rows, selection and current row. Draws once, and raises each event that
    // those calls raise once at the end: SelectionChanged, RowColChanged, ItemCountChanged.
    // Error 9, with nothing changed, for a row that does not exist. No rows: nothing happens.
    void RemoveItems(std::vector<int> Rows);

    // Drops every item, the styles, the current cell and the sort columns; columns stay. Draws
    // even while Redraw is off. No event; an open edit is abandoned.
    void Clear();

    // Recomputes the metrics and the scroll ranges and draws, whatever Redraw says.
    void Refresh();

    // Binds a host control to column slot Col; error 6 for a MoveControl outside 16 bits. An
    // edit of the column then moves the control over the cell instead of the edit box;
    // MoveControl says what the grid sets: 1 height, 2 width, 4 left, 8 top.
    void BindControl(int Col, QWidget *Ctrl, int MoveControl = 15);

    // Opens an edit of display row Row, display column position Col when Editable is on, the
    // column does not hold check boxes and the host does not cancel RequestEdit; an open edit
    // is committed first, and when the host refuses that, nothing opens. Error 9 for a cell
    // that does not exist.
    void EditCell(int Row, int Col);

    int CheckedCount() const;   // rows whose check box is checked
    int SelectedCount() const;  // selected rows
    // Standard rows that fit below the header, a row at least half visible counting.
    int ItemsVisible() const { return layout.ItemsVisible(); }
    // x in pixels of the left edge of display column position Index; -1 left of the view.
    int ColLeft(int Index) const { return layout.ColumnSpan(Index).Left; }
    // y in pixels of the top of display row Index; -1 above the first row in view.
    int RowTop(int Index) const { return layout.RowTop(Index); }
    // Write-only: scrolls display row value to the top (as far as the bar goes) and makes it
    // the current row.
    void SetTopRow(int value);

    // Sorts the rows by column slot Sort (-1: the current sort column), and rows with equal
    // texts there by column slot SubSort (-1: the current one), each by its ColType; SortType
    // and SubSortType are the new directions, stored as given (1 ascending, any other value
    // descending) or -1 toggling the column's current one. Only the display order changes: items
    // keep their selection and check, and the current row stays on its item. Draws, then raises
    // SortComplete. Error 9, with no direction changed, when there is no sort column or a slot does
    // not exist; an error of a CustomSort handler ends the sort with that error (error 9 when the
    // handler adds or removes rows). After any error the rows are all still there, in some order.
    // An open edit is committed first; when the host refuses its value, nothing is sorted.
    void Sort(int Sort = -1, int SortType = -1, int SubSort = -1, int SubSortType = -1);

    // First display row whose text in column slot SearchColumn (-1: the SearchColumn property)
    // matches SearchText by SearchMode (GridItemSearch::Mode), -1 for none or an empty text.
    // Error 9 for a column beyond the last. Changes nothing.
    int FindItem(const QString &SearchText, int SearchColumn = -1,
                 int SearchMode = GridItemSearch::Equal,
                 GridItemSearch::LetterCase MatchCase = GridItemSearch::LetterCase::Ignore) const;

    // --- grid properties -----------------------------------------------------------------------

    int ItemCount() const { return model.ItemCount(); }
    // Highest column slot. Setting it recreates the columns blank and hidden (slot 0 unused)
    // and abandons an open edit; no redraw. Error 9 for a negative value.
    int Cols() const { return model.Cols(); }
    void SetCols(int value);
    // Current display row and display column position, -1 for none. Setting moves the current
    // cell without scrolling (RowColChanged when it changed); the row is not checked.
    int Row() const { return model.Row; }
    void SetRow(int value);
    int Col() const { return model.Col; }
    void SetCol(int value);
    // Display row and column position under the pointer at its last move, -1 for none.
    int MouseRow() const;
    int MouseCol() const;
    // Height of display row Index in ScaleUnits. Setting -1 measures the row from its texts
    // when AutoSizeRow is on and keeps the height otherwise.
    float RowHeight(int Index) const;
    void SetRowHeight(int Index, float value);
    // While off, changes only note that layout and drawing are due; switching it on does them.
    bool Redraw() const { return props.Redraw; }
    void SetRedraw(bool value);

    // Saved grid properties (LynxGridProperties.cpp lists what setting each one does besides
    // storing it). Colours are 32-bit colour values (red in the low byte; a system colour reads
    // negative). Sizes are in ScaleUnits.
    QFont Font() const { return font(); }  // metrics follow at the next Refresh
    void SetFont(const QFont &value);
    ColorValue BackColor() const { return props.BackColor; }  // rows; new cells' back colour
    void SetBackColor(ColorValue value);
    ColorValue BackColorBkg() const { return props.BackColorBkg; }  // outside rows and headers
    void SetBackColorBkg(ColorValue value);
    ColorValue BackColorEdit() const { return props.BackColorEdit; }
    void SetBackColorEdit(ColorValue value);
    ColorValue BackColorFixed() const { return props.BackColorFixed; }  // headers
    void SetBackColorFixed(ColorValue value);
    ColorValue BackColorSel() const { return props.BackColorSel; }
    void SetBackColorSel(ColorValue value);
    ColorValue ForeColor() const { return props.ForeColor; }  // new cells' text colour
    void SetForeColor(ColorValue value);
    ColorValue ForeColorEdit() const { return props.ForeColorEdit; }
    void SetForeColorEdit(ColorValue value);
    ColorValue ForeColorFixed() const { return props.ForeColorFixed; }
    void SetForeColorFixed(ColorValue value);
    ColorValue ForeColorHdr() const { return props.ForeColorHdr; }
    void SetForeColorHdr(ColorValue value);
    ColorValue ForeColorSel() const { return props.ForeColorSel; }
    void SetForeColorSel(ColorValue value);
    ColorValue ForeColorTotals() const { return props.ForeColorTotals; }
    void SetForeColorTotals(ColorValue value);
    ColorValue GridColor() const { return props.GridColor; }
    void SetGridColor(ColorValue value);
    ColorValue ProgressBarColor() const { return props.ProgressBarColor; }
    void SetProgressBarColor(ColorValue value);
    bool AlphaBlendSelection() const { return props.AlphaBlendSelection; }
    void SetAlphaBlendSelection(bool value);
    int BorderStyle() const { return props.BorderStyle; }  // 0 none, 1 single
    void SetBorderStyle(int value);
    bool DisplayEllipsis() const { return props.DisplayEllipsis; }
    void SetDisplayEllipsis(bool value);
    ColorValue FocusRectColor() const { return props.FocusRectColor; }
    void SetFocusRectColor(ColorValue value);
    int FocusRectMode() const { return props.FocusRectMode; }  // 0 none, 1 row, 2 cell
    void SetFocusRectMode(int value);
    int FocusRectStyle() const { return props.FocusRectStyle; }  // 0 dotted, 1 frame
    void SetFocusRectStyle(int value);
    bool GridLines() const { return props.GridLines; }
    void SetGridLines(bool value);
    int GridLineWidth() const { return props.GridLineWidth; }
    void SetGridLineWidth(int value);
    // 1..3 set six colours at once (lynx::ApplyThemeColors); other values change nothing.
    int ThemeColor() const { return props.ThemeColor; }
    void SetThemeColor(int value);
    // Header look: 0 push buttons, 1 flat, 2 the desktop's style, 3 gradient.
    int ThemeStyle() const { return props.ThemeStyle; }
    void SetThemeStyle(int value);
    int AllowUserResizing() const { return props.AllowUserResizing; }
    void SetAllowUserResizing(int value);
    bool AutoSizeRow() const { return props.AutoSizeRow; }
    void SetAutoSizeRow(bool value);
    bool CheckBoxes() const { return props.CheckBoxes; }  // a check box in front of every row
    void SetCheckBoxes(bool value);
    bool ColumnDrag() const { return props.ColumnDrag; }
    void SetColumnDrag(bool value);
    bool ColumnSort() const { return props.ColumnSort; }
    void SetColumnSort(bool value);
    bool Editable() const { return props.Editable; }
    void SetEditable(bool value);
    int EditTrigger() const { return props.EditTrigger; }
    void SetEditTrigger(int value);
    bool FullRowSelect() const { return props.FullRowSelect; }
    void SetFullRowSelect(bool value);
    // Whether the focus rectangle hides while the control has no focus.
    bool HideSelection() const { return props.HideSelection; }
    void SetHideSelection(bool value);
    // Switching it off clears the hot header.
    bool HotHeaderTracking() const { return props.HotHeaderTracking; }
    void SetHotHeaderTracking(bool value);
    // Switching it off deselects every row.
    bool MultiSelect() const { return props.MultiSelect; }
    void SetMultiSelect(bool value);
    // Whether dragging a scroll thumb redraws the rows while it moves.
    bool ScrollTrack() const { return props.ScrollTrack; }
    void SetScrollTrack(bool value);
    // Whether writing CellText marks the cell changed.
    bool TrackEdits() const { return props.TrackEdits; }
    void SetTrackEdits(bool value);
    // Spare item slots added whenever the item table must grow; a negative value is stored as 1.
    int CacheIncrement() const { return props.CacheIncrement; }
    void SetCacheIncrement(int value);
    // Headings, alignments and widths in one text (lynx::ApplyFormatString); reads back as set.
    // An empty one leaves one hidden blank column and no items. An open edit is abandoned.
    QString FormatString() const { return props.FormatString; }
    void SetFormatString(const QString &value);
    // Row height limits; a RowHeightMin below 1 makes rows 16 pixels, a RowHeightMax below 1
    // leaves measured rows unlimited.
    int RowHeightMax() const { return props.RowHeightMax; }
    void SetRowHeightMax(int value);
    int RowHeightMin() const { return props.RowHeightMin; }
    void SetRowHeightMin(int value);
    // Unit of sizes at the interface: 1 twips, 3 pixels (GridScale lists the others). Pixel
    // sizes already computed keep their values.
    int ScaleUnits() const { return props.ScaleUnits; }
    void SetScaleUnits(int value);
    int SearchColumn() const { return props.SearchColumn; }
    void SetSearchColumn(int value);
    // Images shown by number or key; none by default. The grid does not own the list. Not
    // saved.
    platform::ImageList *ImageList() const { return imageList; }
    void SetImageList(platform::ImageList *value);

    // --- column properties (Index: column slot) ------------------------------------------------

    QString ColHeading(int Index) const;
    void SetColHeading(int Index, const QString &value);
    float ColWidth(int Index) const;  // ScaleUnits
    void SetColWidth(int Index, float value);
    // Display position -> column slot, each slot once: the order AddColumn and header drags
    // left. Setting takes such a permutation and draws; error 380, with nothing changed, for
    // anything else.
    std::vector<int> ColumnOrder() const;
    void SetColumnOrder(const std::vector<int> &order);
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
    // As SetCellText(Row, Col, format->Text(value)), but the cell keeps the value and the
    // format and makes its text whenever it is drawn or read. Error 380 without a format.
    void SetCellNumber(int Row, int Col, double value,
                       const std::shared_ptr<const CellNumberFormat> &format);
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
    const lynx::GridProperties &Properties() const { return props; }
    const lynx::GridLayout &Layout() const { return layout; }
    const lynx::GridScrollBars &ScrollBars() const { return scrollBars; }
    const lynx::GridCellEditor &Editor() const { return *editor; }
    // The pointer's gesture and hover state.
    const lynx::GridMouseController &Mouse() const { return *mouse; }
    // Where the client area (and so the surface) lies in the window.
    QRect ClientRect() const;

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
    // Once per comparison in a TypeCustom column. Ascending is true when the column's SortState
    // is 0 and false when it is 1: handlers are written against that reading of the flag. Swap
    // left true puts Value1's row (the examined one) before Value2's (the pivot).
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
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Input goes to the controllers; a control error stops there.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

    // The two steps a host may widen, each calling this one: painting the whole control into
    // its back image and presenting it, and recomputing the scroll ranges from the rows and
    // columns.
    virtual void PaintGrid();
    void UpdateScrollBars() override;

private:
    // --- what the controllers and the editor reach (GridHost) ----------------------------------

    GridHost &AsHost() { return *this; }
    LynxGrid &Face() override { return *this; }
    Parts Inside() override { return {model, metrics, props, scrollBars, layout}; }
    void DrawGrid() override
    {
        if (!props.Redraw) {
            drawPending = true;
            return;
        }
        DrawGridAlways();
    }
    void DrawGridAlways() override
    {
        PaintGrid();
        drawPending = false;
    }
    // Redraws the header row, every cell normal (a dragged header at its shifted place on
    // top), presents it and clears the hot header.
    void DrawHeaderRow() override;
    void DrawHeaderCell(int position, lynx::HeaderState state) override;
    void RefreshOrDefer() override;
    void AutoSizeRowHeight(int row) override;
    bool SetCurrentCell(int row, int col, Scrolling scrolling) override;
    // Letters and digits typed within a second of each other find the first row of the
    // SearchColumn starting with them (ignoring case) and bring it to the top as the current
    // row.
    void TypeAhead(QChar key) override;
    GridCell &CellAt(int row, int col) override;
    GridCellEditor &CellEditor() override { return *editor; }
    GridKeyController &KeyController() override { return *keys; }
    GridMessageHook &MessageHook() override { return *hook; }

    void RecalcMetrics();

    GridModel model;
    GridMetrics metrics;
    lynx::GridProperties props;
    lynx::GridScrollBars scrollBars;
    lynx::GridLayout layout{model, props, metrics, scrollBars};

    enum class WriteEffect { None, Draw, DrawAlways, RefreshOrDefer };
    // Stores a saved property, does its write effect and sends the change notice.
    template <class T>
    void StoreProperty(T lynx::GridProperties::*field, const T &value, const char16_t *name,
                       WriteEffect effect);
    void ApplyFont(const QFont &value);
    void ApplyWindowAttributes();
    // Gives the surface and the scroll bars their places after a change of size, border or
    // shown bars.
    void SyncClientArea();
    void AttachScrollBars();
    // What a paint reads, with the pointer's header states.
    lynx::GridPaintView PaintView() const;
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

    bool drawPending = false;
    bool layoutPending = false;
    QPointer<platform::ImageList> imageList;
    GridTypeAhead typeAhead;
    std::unique_ptr<lynx::GridMouseController> mouse;
    std::unique_ptr<lynx::GridKeyController> keys;
    std::unique_ptr<lynx::GridMessageHook> hook;
    std::unique_ptr<lynx::GridCellEditor> editor;
};

}  // namespace lynx

// The grid's names as host code writes them.
using lynx::CellNumberFormat;
using lynx::LynxGrid;
using lynx::TypeCheckBox;
using lynx::TypeCustom;
using lynx::TypeDate;
using lynx::TypeNumber;
using lynx::TypeProgressBar;
using lynx::TypeText;
