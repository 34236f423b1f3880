#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <optional>

#include "grid/Arena.h"

namespace lynx {

// Records of the grid's tables. Cell texts and their cells live in pooled storage owned by the
// model (GridModel), so items and cells are plain values that hold references into it: moving an
// item never copies a string, and dropping a whole grid frees a handful of blocks.

using TextRef = PoolRef;    // characters in the model's text pool
using CellRange = PoolRef;  // cells in the model's cell pool

// How a column sorts and how its cells are drawn; any other value behaves as TypeText. The
// column keeps the code as a number (ColType, DataType), so the codes are also plain ints.
enum class ColumnDataType : qint16 {
    Text = 0,
    Number = 1,
    Date = 2,
    CheckBox = 3,
    ProgressBar = 4,
    Custom = 5,
};

inline constexpr int TypeText = static_cast<int>(ColumnDataType::Text);
inline constexpr int TypeNumber = static_cast<int>(ColumnDataType::Number);
inline constexpr int TypeDate = static_cast<int>(ColumnDataType::Date);
inline constexpr int TypeCheckBox = static_cast<int>(ColumnDataType::CheckBox);
inline constexpr int TypeProgressBar = static_cast<int>(ColumnDataType::ProgressBar);
inline constexpr int TypeCustom = static_cast<int>(ColumnDataType::Custom);

// GridItem::Flags
constexpr quint16 ItemFlagChecked = 2;
constexpr quint16 ItemFlagSelected = 4;

// GridCell::Flags (and GridColumn::Flags for CellFlagWordWrap).
constexpr quint16 CellFlagChecked = 2;
constexpr quint16 CellFlagChanged = 8;
constexpr quint16 CellFlagBold = 16;
constexpr quint16 CellFlagItalic = 32;
constexpr quint16 CellFlagUnderline = 64;
constexpr quint16 CellFlagWordWrap = 128;

// Alignment codes are text-drawing flags: horizontal 0 left, 1 centre, 2 right, plus vertical
// 0 top, 4 centre, 8 bottom.
constexpr int AlignLeftMiddle = 4;

// Colours are 32-bit colour values: red in the low byte, or a system colour index with the high
// bit set. The grid keeps them signed, as its host sees them, so a system colour reads
// negative; the drawing code resolves them.
using ColorValue = qint32;

struct GridColumn {
    QPointer<QWidget> BoundControl;
    float Width = 0;      // in the grid's ScaleUnits
    int WidthPixels = 0;  // Width in pixels, rounded half to even
    int LeftPixels = 0;   // left edge, kept by the layout
    int Alignment = 0;    // 0 in slot 0 marks the slot as unused
    int ImageAlignment = 0;
    int SortState = 0;  // as last given to Sort: 1 ascending, other values descending
    qint16 DataType = TypeText;
    quint16 Flags = 0;       // CellFlagWordWrap: new cells of the column wrap
    qint16 MoveControl = 0;  // how BoundControl follows the column
    bool Visible = false;
    QString Heading;
    QString Format;
    QString Tag;
};

// How a number cell writes its value. A number cell keeps its value and its format instead of a
// text, and the text is made each time the cell is drawn or read, so a format must give the
// same text for the same value as long as a cell uses it.
class CellNumberFormat {
public:
    virtual ~CellNumberFormat() = default;
    virtual QString Text(double value) const = 0;
    // The number a sort of a number column reads from Text(value) with this decimal point,
    // when the format knows it without making the text; nullopt has the text made and read.
    virtual std::optional<double> SortValue(double, QChar) const { return std::nullopt; }
};

struct GridCell {
    qint16 Alignment = 0;
    qint16 StyleIndex = -1;  // -1: grid colours, no image
    quint16 Flags = 0;
    quint8 Progress = 0;  // 0..100, in a TypeProgressBar column
    // 0: the cell holds Text. Otherwise a number cell: it holds Number, written by the model's
    // number format of this index.
    quint8 NumberFormat = 0;
    union {
        TextRef Text{};
        double Number;
    };
};
static_assert(sizeof(GridCell) == 16);

// A spare slot holds a default-constructed (blank) item.
struct GridItem {
    int Height = 0;  // pixels
    int Image = 0;   // >0 image number, <0 negated number of an image given by key, 0 none
    int ItemData = 0;
    quint16 Flags = 0;
    TextRef Tag;
    CellRange Cells;  // one cell per column slot that existed when the item was added
};

struct CellStyle {
    ColorValue BackColor = 0;
    ColorValue ForeColor = 0;
    qint16 Image = 0;
    int RefCount = 0;  // cells naming this entry; 0 = free for reuse
};

// What SetCellStyle changes.
enum class StyleAttribute { BackColor = 2, ForeColor = 4, Image = 8 };

}  // namespace lynx
