#include "app/MoreFiltersArea.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/Artwork.h"
#include "widgets/ButtonEx.h"

namespace {

constexpr int LabelWidth = 64;
constexpr int ColumnWidth = 96;
constexpr int BoxWidth = 84;
constexpr int MinTop = 20;
constexpr int MaxTop = 50;
constexpr int ScreensLeft = LabelWidth + ScreenFieldCount * ColumnWidth + 40;

QLabel *Label(QWidget *parent, const QString &text, const QRect &where, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Artwork::Navy);
    label->setPalette(palette);
    label->setGeometry(where);
    return label;
}

int Index(BoundText::Side side)
{
    return side == BoundText::Side::Min ? 0 : 1;
}

}  // namespace

MoreFiltersArea::MoreFiltersArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraMoreFilters"));
    resize(AreaWidth, AreaHeight);
    Label(this, QStringLiteral("Minimum"), QRect(0, MinTop + 2, LabelWidth, 22));
    Label(this, QStringLiteral("Maximum"), QRect(0, MaxTop + 2, LabelWidth, 22));
    for (const FilterField &f : FilterFields()) {
        const int left = LabelWidth + static_cast<int>(f.Field) * ColumnWidth;
        QString caption = QLatin1String(f.Label);
        if (*f.Unit)
            caption += QStringLiteral(" (%1)").arg(QLatin1String(f.Unit));
        QLabel *label = Label(this, caption, QRect(left, 0, ColumnWidth - 4, 18), true);
        label->setToolTip(caption);
        for (const BoundText::Side side : {BoundText::Side::Min, BoundText::Side::Max}) {
            auto *box = new QLineEdit(this);
            box->setObjectName((side == BoundText::Side::Min ? QStringLiteral("txtMin")
                                                             : QStringLiteral("txtMax")) +
                               QLatin1String(f.Key));
            box->setGeometry(left, side == BoundText::Side::Min ? MinTop : MaxTop, BoxWidth, 25);
            box->setAlignment(Qt::AlignRight);
            box->setMaxLength(16);
            QFont font(QStringLiteral("Arial"));
            font.setPointSizeF(9.75);
            box->setFont(font);
            box->setAccessibleName((side == BoundText::Side::Min ? QStringLiteral("Minimum ")
                                                                 : QStringLiteral("Maximum ")) +
                                   QLatin1String(f.Label));
            connect(box, &QLineEdit::returnPressed, this, &MoreFiltersArea::SearchRequested);
            boxes[static_cast<size_t>(f.Field)][static_cast<size_t>(Index(side))] = box;
        }
    }

    Label(this, QStringLiteral("Saved screens"), QRect(ScreensLeft, 0, 200, 18), true);
    cboScreens = new QComboBox(this);
    cboScreens->setObjectName(QStringLiteral("cboScreens"));
    cboScreens->setGeometry(ScreensLeft, MinTop, 2 * 124 + 8, 25);
    cboScreens->setPlaceholderText(QStringLiteral("Choose a screen"));
    cmdSaveScreen = new widgets::ButtonEx(this);
    cmdSaveScreen->setObjectName(QStringLiteral("cmdSaveScreen"));
    cmdSaveScreen->move(ScreensLeft, MaxTop);
    cmdDeleteScreen = new widgets::ButtonEx(this);
    cmdDeleteScreen->setObjectName(QStringLiteral("cmdDeleteScreen"));
    cmdDeleteScreen->move(ScreensLeft + 124 + 8, MaxTop);
}

QLineEdit *MoreFiltersArea::Box(ScreenField field, BoundText::Side side) const
{
    return boxes[static_cast<size_t>(field)][static_cast<size_t>(Index(side))];
}

std::array<BoundText::BoxTexts, ScreenFieldCount> MoreFiltersArea::Texts() const
{
    std::array<BoundText::BoxTexts, ScreenFieldCount> texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = {boxes[i][0]->text(), boxes[i][1]->text()};
    return texts;
}

int MoreFiltersArea::FilledBoxes() const
{
    int filled = 0;
    for (const auto &pair : boxes)
        for (const QLineEdit *box : pair) filled += box->text().trimmed().isEmpty() ? 0 : 1;
    return filled;
}
