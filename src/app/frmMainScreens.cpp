// frmMain: the "More filters" area and the saved screens.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>

#include "app/AppTitle.h"
#include "app/MoreFiltersArea.h"
#include "app/PriceText.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "platform/TextPrompt.h"
#include "store/MdlHelpers.h"

using MdlHelpers::CrLf;

namespace {

// A price as the boxes show it: two decimals where they say all, else every digit.
QString PriceBoxText(double value)
{
    const QString amount = PriceText::FormatAmount(value);
    return PriceText::ParseRate(amount) == value ? amount : BoundText::Text(value);
}

QString FileName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

}  // namespace

std::optional<ScreenBounds> frmMain::ReadScreenBoxes()
{
    std::optional<ScreenBounds> bounds = ReadPriceBoxes();
    if (!bounds)
        return std::nullopt;
    const BoundText::BoxesReading reading = BoundText::ReadBoxes(ui.fraMoreFilters->Texts());
    if (reading.Trouble) {
        SetMoreFiltersShown(true);
        ShowWarning(reading.Trouble->Message, this);
        QLineEdit *box = ui.fraMoreFilters->Box(reading.Trouble->Field, reading.Trouble->Box);
        box->setFocus();
        box->selectAll();
        return std::nullopt;
    }
    bounds->Fields = reading.Fields;
    return bounds;
}

void frmMain::SetMoreFiltersShown(bool shown)
{
    ui.cmdMoreFilters->setChecked(shown);
    ui.cmdMoreFilters->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    ui.fraMoreFilters->setVisible(shown);
    UpdateMoreFiltersCaption();
    PlacePriceSearchControls();
}

bool frmMain::MoreFiltersShown() const
{
    return ui.cmdMoreFilters->isChecked();
}

void frmMain::UpdateMoreFiltersCaption()
{
    // Folded away, the area still filters: the caption says so.
    const int filled = ui.fraMoreFilters->FilledBoxes();
    QString caption = QStringLiteral("More filters");
    if (!MoreFiltersShown() && filled > 0)
        caption += QStringLiteral(" (%1 set)").arg(filled);
    ui.cmdMoreFilters->setText(caption);
}

void frmMain::LoadSavedScreens()
{
    screens.Load();
    ShowSavedScreens(QString());
}

void frmMain::ShowSavedScreens(const QString &current)
{
    QComboBox &list = *ui.fraMoreFilters->cboScreens;
    const QSignalBlocker quiet(list);
    list.clear();
    for (const SavedScreen &s : screens.Screens()) list.addItem(s.Name);
    const bool damaged = !screens.Damage().isEmpty();
    list.setPlaceholderText(damaged ? QStringLiteral("screens.ini cannot be read")
                            : screens.Screens().empty() ? QStringLiteral("No saved screens")
                                                        : QStringLiteral("Choose a screen"));
    list.setToolTip(damaged ? QStringLiteral("%1 is damaged (%2). It is kept as it is until you "
                                             "save a screen.")
                                  .arg(FileName(ScreensFile::Path()), screens.Damage())
                            : QString());
    list.setCurrentIndex(current.isEmpty() ? -1 : list.findText(current, Qt::MatchFixedString));
}

void frmMain::ApplySavedScreen(int index)
{
    if (index < 0 || index >= static_cast<int>(screens.Screens().size()))
        return;
    const SavedScreen &screen = screens.Screens()[static_cast<size_t>(index)];
    const ScreenBounds bounds = screen.Bounds;
    struct BoxText {
        QLineEdit *Box;
        QString Name;
        QString Text;
    };
    std::vector<BoxText> texts = {
        {ui.txtMinRate, QStringLiteral("Minimum Rate"), PriceBoxText(bounds.PriceMin)},
        {ui.txtMaxRate, QStringLiteral("Maximum Rate"), PriceBoxText(bounds.PriceMax)}};
    for (const FilterField &f : FilterFields())
        for (const BoundText::Side side : {BoundText::Side::Min, BoundText::Side::Max}) {
            const std::optional<double> &v =
                side == BoundText::Side::Min ? bounds[f.Field].Min : bounds[f.Field].Max;
            QLineEdit *box = ui.fraMoreFilters->Box(f.Field, side);
            texts.push_back({box, box->accessibleName(), v ? BoundText::Text(*v) : QString()});
        }
    // A box would cut a longer text short and search for another number.
    for (const BoxText &t : texts)
        if (t.Text.size() > t.Box->maxLength()) {
            ShowWarning(QStringLiteral("The screen \"%1\" cannot be used: its %2 %3 is longer "
                                       "than the box holds.")
                            .arg(screen.Name, t.Name, t.Text),
                        this);
            return;
        }
    for (const BoxText &t : texts) t.Box->setText(t.Text);
    if (bounds.HasFieldBounds())
        SetMoreFiltersShown(true);
    UpdateMoreFiltersCaption();
    SearchStocks();
}

void frmMain::SaveScreen()
{
    const std::optional<ScreenBounds> bounds = ReadScreenBoxes();
    if (!bounds)
        return;
    const QString current = ui.fraMoreFilters->cboScreens->currentText();
    const std::optional<QString> typed = platform::AskText(
        {this, AppTitle(), QStringLiteral("Save the current filters as the screen named:"), current,
         ScreensFile::MaxNameLength});
    if (!typed)
        return;
    const QString name = typed->trimmed();
    if (const QString problem = ScreensFile::NameProblem(name); !problem.isEmpty()) {
        ShowWarning(QStringLiteral("The screen was not saved: %1.").arg(problem), this);
        return;
    }
    if (const SavedScreen *same = screens.Find(name))
        if (!ConfirmYesNo(
                QStringLiteral("A screen named \"%1\" exists already. Replace it?").arg(same->Name),
                AppTitle(), this))
            return;
    const bool damaged = !screens.Damage().isEmpty();
    if (!screens.Save({name, *bounds})) {
        ShowWarning(QStringLiteral("The screen \"%1\" could not be saved: %2 cannot be written.")
                            .arg(name, FileName(ScreensFile::Path())) +
                        CrLf + QStringLiteral("Your saved screens are as they were."),
                    this);
        return;
    }
    ShowSavedScreens(name);
    if (damaged)
        ShowInformation(QStringLiteral("%1 could not be read, so it was kept as %2; the new "
                                       "file holds the screen \"%3\".")
                            .arg(FileName(ScreensFile::Path()),
                                 FileName(SavedScreens::DamagedCopyPath()), name),
                        this);
}

void frmMain::DeleteScreen()
{
    const int index = ui.fraMoreFilters->cboScreens->currentIndex();
    if (index < 0) {
        ShowInformation(QStringLiteral("Choose the screen to delete in the list of saved screens."),
                        this);
        return;
    }
    const QString name = screens.Screens()[static_cast<size_t>(index)].Name;
    if (!ConfirmYesNo(QStringLiteral("Delete the screen \"%1\"?").arg(name), AppTitle(), this))
        return;
    if (!screens.Delete(name)) {
        ShowWarning(QStringLiteral("The screen \"%1\" could not be deleted: %2 cannot be written.")
                        .arg(name, FileName(ScreensFile::Path())),
                    this);
        return;
    }
    ShowSavedScreens(QString());
}
