// frmMain: the list actions under the grid.
#include <QFileInfo>

#include "app/AppTitle.h"
#include "app/CsvExport.h"
#include "app/Prompts.h"
#include "app/ScreenerAddress.h"
#include "app/frmMain.h"
#include "app/mdlCommonDialog.h"
#include "grid/LynxGrid.h"
#include "platform/BrowserLaunch.h"
#include "platform/ControlError.h"
#include "platform/MessageBox.h"
#include "store/MdlHelpers.h"

using MdlHelpers::CrLf;

namespace {

// A count as the program writes numbers into its messages: a space stands where a minus
// would.
QString NumberText(int n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(n));
}

// A cell the grid does not have (a row shorter than the columns) exports as empty text.
QString CellOrEmpty(const LynxGrid &grid, int row, int col)
{
    try {
        return grid.CellText(row, col);
    } catch (const platform::ControlError &) {
        return {};
    }
}

}  // namespace

void frmMain::RemoveAllRows()
{
    ui.LynxGrid1->Clear();
    ShowListCount();
}

void frmMain::RemoveSelectedRows()
{
    LynxGrid &grid = *ui.LynxGrid1;
    const int n = grid.SelectedCount();
    if (n == 0)
        return;
    const QString question = QStringLiteral("Are you sure wish to remove selected ") +
                             NumberText(n) + QStringLiteral(" Stock symbols");
    using namespace platform;
    if (ShowMessage({question, AppTitle(), MessageButtons::YesNo, MessageIcon::Warning}, this) ==
        MessageAnswer::No)
        return;
    // The rows selected now, and only those: a single-select grid hands a removed row's
    // selection on to the next row, which must not go as well.
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int row = 0; row < grid.ItemCount(); ++row)
        if (grid.ItemSelected(row))
            rows.push_back(row);
    grid.RemoveItems(std::move(rows));
    ShowListCount();
}

void frmMain::ExportCsv()
{
    int filterIndex = 0;
    const QString chosen = mdlCommonDialog::ShowSaveDialog(
        this, {{QStringLiteral("CSV Files (*.csv)"), QStringLiteral("*.csv")}},
        QStringLiteral("Export Stock Symbols"),
        mdlCommonDialog::FlagOverwritePrompt | mdlCommonDialog::FlagPathMustExist, filterIndex,
        QString());
    if (chosen.isEmpty())
        return;
    const QString path = CsvExport::WithCsvExtension(chosen);
    // The dialog asked about the name as typed; a file under the name with ".csv" added has not
    // been asked about yet.
    if (path != chosen && QFileInfo(path).isFile() &&
        !ConfirmYesNo(QFileInfo(path).fileName() + QStringLiteral(" already exists.") + CrLf +
                          QStringLiteral("Do you want to replace it?"),
                      AppTitle(), this))
        return;

    const LynxGrid &grid = *ui.LynxGrid1;
    // The columns the user keeps shown, in their slot order as before any were hidden.
    std::vector<int> shown;
    for (int slot = 0; slot <= grid.Cols(); ++slot)
        if (grid.ColVisible(slot))
            shown.push_back(slot);
    const QString text = CsvExport::Text(
        grid.ItemCount(), shown, [&grid](int row, int col) { return CellOrEmpty(grid, row, col); });
    if (!MdlHelpers::WriteTextFile(path, text, false)) {
        ShowWarning(QStringLiteral("The stock symbols could not be exported to ") + path +
                        QStringLiteral(".") + CrLf +
                        QStringLiteral("Check that the folder exists, that the disk has room and "
                                       "that no other program holds the file open."),
                    this);
        return;
    }
    ShowInformation(QStringLiteral("Data succesfully exported to ") + path, this);
}

void frmMain::OpenQuotePage()
{
    const LynxGrid &grid = *ui.LynxGrid1;
    const int row = grid.Row();
    if (row == -1)
        return;
    platform::OpenWebAddress(ScreenerAddress::QuotePageAddress(CellOrEmpty(grid, row, 0)));
}
