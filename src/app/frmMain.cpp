#include "app/frmMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/AppTitle.h"
#include "app/Artwork.h"
#include "app/HistoryReader.h"
#include "app/MoreFiltersArea.h"
#include "app/PageFetcher.h"
#include "app/Prompts.h"
#include "app/ScreenerAddress.h"
#include "app/StockColumns.h"
#include "app/UpdateRunPanel.h"
#include "app/WindowPlacement.h"
#include "grid/LynxGrid.h"
#include "platform/BrowserLaunch.h"
#include "platform/Clock.h"
#include "platform/ControlError.h"
#include "platform/CursorPosition.h"
#include "platform/FontSubstitutes.h"
#include "platform/FormSettings.h"
#include "store/DataFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "web/WebBrowser.h"
#include "widgets/ButtonEx.h"

// The pictures and the saved settings live in a static library: nothing would pull their
// registration into the program without asking for it.
static void InitResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        Q_INIT_RESOURCE(forms);
        return true;
    }();
    (void)done;
}

const QString frmMain::SettingsResource = QStringLiteral(":/forms/frmMain.settings");

using MdlHelpers::CrLf;

namespace {

// The update reminder for the contents of time.txt (empty when missing).
QString ReminderText(const QString &timeStamp)
{
    if (!timeStamp.isEmpty())
        return QStringLiteral("Last data update was done on ") + timeStamp + CrLf +
               QStringLiteral("Would you like to update the data?");
    return QStringLiteral("Stock data is out of date please update data.") + CrLf +
           QStringLiteral("Would you like to update the data now?");
}

}  // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    InitResources();
    platform::InstallFontSubstitutes();
    CreateControls();
    LoadControlSettings(platform::FormSettings::Load(SettingsResource));
    fetcher = std::make_unique<PageFetcher>(ui.WebBrowser1->Loader());
    runPanel = std::make_unique<UpdateRunPanel>(UpdateRunPanel::Controls{
        ui.ucProgressBar1, ui.ucProgressBar2, ui.lblDownloadStatus, ui.lblUpdateProgress});
    run = std::make_unique<DataUpdateRun>(*fetcher, *runPanel);
    ConnectHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::ConnectHandlers()
{
    for (int i = 0; i < TabCount; ++i)
        connect(ui.ButtonEx1[i], &widgets::ButtonEx::Click, this, [this, i] { SelectTab(i); });
    connect(ui.cmdSearchStock, &widgets::ButtonEx::Click, this, &frmMain::SearchStocks);
    connect(ui.chkNewOnly, &QCheckBox::clicked, this, &frmMain::NewOnlyClicked);
    connect(ui.LynxGrid1, &LynxGrid::SortComplete, this, &frmMain::RememberGridSort);
    connect(ui.LynxGrid1, &LynxGrid::MouseDown, this, &frmMain::GridMouseDown);
    connect(ui.LynxGrid1, &LynxGrid::DblClick, this, &frmMain::GridDoubleClick);
    connect(ui.cmdHistory, &widgets::ButtonEx::Click, this, &frmMain::OpenHistory);
    connect(ui.ButtonEx6, &widgets::ButtonEx::Click, this, &frmMain::UpdateDataAction);
    for (int i = 0; i < 3; ++i)
        connect(ui.CmdHelpTip[i], &widgets::ButtonEx::Click, this,
                [this, i] { ShowInformation(HelpTipText(i + 1), this); });
    const std::array<void (frmMain::*)(), 4> listActions = {
        &frmMain::RemoveAllRows, &frmMain::RemoveSelectedRows, &frmMain::ExportCsv,
        &frmMain::OpenQuotePage};
    for (std::size_t i = 0; i < listActions.size(); ++i)
        connect(ui.ListButtons[i], &widgets::ButtonEx::Click, this, listActions[i]);
    auto openHome = [] { platform::OpenWebAddress(ScreenerAddress::HomePageAddress()); };
    connect(ui.Image1, &ClickLabel::Click, this, openHome);
    connect(ui.Label5, &ClickLabel::Click, this, openHome);
    connect(ui.Label6, &ClickLabel::Click, this,
            [this] { platform::OpenWebAddress(ui.Label6->text()); });
    // Enter in a price box searches, as a desktop user expects of a search form.
    connect(ui.txtMinRate, &QLineEdit::returnPressed, this, &frmMain::SearchStocks);
    connect(ui.txtMaxRate, &QLineEdit::returnPressed, this, &frmMain::SearchStocks);

    connect(ui.cmdMoreFilters, &QToolButton::clicked, this, &frmMain::SetMoreFiltersShown);
    MoreFiltersArea *area = ui.fraMoreFilters;
    connect(area, &MoreFiltersArea::SearchRequested, this, &frmMain::SearchStocks);
    connect(area->cboScreens, &QComboBox::activated, this, &frmMain::ApplySavedScreen);
    connect(area->cmdSaveScreen, &widgets::ButtonEx::Click, this, &frmMain::SaveScreen);
    connect(area->cmdDeleteScreen, &widgets::ButtonEx::Click, this, &frmMain::DeleteScreen);
}

void frmMain::Form_Load()
{
    setWindowTitle(AppTitle() + QStringLiteral(" 2.0"));
    for (int i = 1; i < 3; ++i) ui.picC[i]->move(ui.picC[0]->pos());

    ui.lblCaption0->setText(QStringLiteral("Price"));
    ui.lblCaption5->setText(QStringLiteral("File Updates"));
    ui.lblCaption2->setText(QStringLiteral("About"));
    ui.Label5->setText(ScreenerAddress::Site());
    ui.Label6->setText(ProductSiteAddress());
    ui.lblDataFolder->setText(QStringLiteral("Your stock data: ") +
                              DataFolder::Describe(DataFolder::Current()));

    LynxGrid &grid = *ui.LynxGrid1;
    grid.SetRedraw(false);
    grid.SetRowHeightMin(20);
    StockColumns::AddTo(grid, StockColumns::All());
    RestoreState(MainWindowSettings::Read(static_cast<int>(StockColumns::All().size())));
    grid.SetRedraw(true);

    MakeFolders();
    Module1::RemoveSaveLeftovers();
    NoteDatabaseRead();
    int withoutSymbol = 0;
    const int leftOut = Module1::LoadStockDatabase(&withoutSymbol);
    const QString database = QDir::toNativeSeparators(Module1::DatabasePath());
    QString damage;
    if (leftOut > 0)
        damage += QStringLiteral(
                      "%1 holds %2 more stocks than the %3 this program can list; "
                      "they were left out.")
                      .arg(database)
                      .arg(leftOut)
                      .arg(StockTable::MaxRecords) +
                  CrLf;
    if (withoutSymbol > 0)
        damage += QStringLiteral("%1 holds %2 records without a stock symbol; they were left out.")
                      .arg(database)
                      .arg(withoutSymbol) +
                  CrLf;
    if (!damage.isEmpty())
        ShowWarning(damage + QStringLiteral("Update the data to replace the file."), this);
    run->LoadLastChanges();
    run->SeedHistory();
    SetPriceSeriesSource(HistoryReader::SeriesSource());
    ReadHistory();
    LoadSavedScreens();
    SetMoreFiltersShown(false);
    SelectTab(0);
}

void frmMain::RestoreState(const MainWindowState &state)
{
    // Everything read has been checked against the grid's columns: none of these can fail.
    LynxGrid &grid = *ui.LynxGrid1;
    for (std::size_t slot = 0; slot < state.ColumnWidths.size(); ++slot)
        grid.SetColWidth(static_cast<int>(slot), static_cast<float>(state.ColumnWidths[slot]));
    if (!state.ColumnOrder.empty())
        grid.SetColumnOrder(state.ColumnOrder);
    for (const int slot : state.HiddenColumns) grid.SetColVisible(slot, false);
    sortChoice = state.Sort;
    ApplySortChoice();

    QList<QRect> screens;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    setGeometry(WindowPlacement::Place(state.Geometry, MinimumSize, screens));
    if (state.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

MainWindowState frmMain::CurrentState() const
{
    MainWindowState state;
    const QRect normal = normalGeometry();
    state.Geometry = normal.isValid() ? normal : geometry();
    state.Maximized = isMaximized();
    const LynxGrid &grid = *ui.LynxGrid1;
    for (int slot = 0; slot <= grid.Cols(); ++slot)
        state.ColumnWidths.push_back(static_cast<int>(grid.ColWidth(slot)));
    state.ColumnOrder = grid.ColumnOrder();
    for (int slot = 0; slot <= grid.Cols(); ++slot)
        if (!grid.ColVisible(slot))
            state.HiddenColumns.push_back(slot);
    state.Sort = sortChoice;
    return state;
}

void frmMain::RememberGridSort()
{
    const GridModel &model = ui.LynxGrid1->Model();
    if (model.SortColumn < 0)
        return;
    sortChoice.Column = model.SortColumn;
    sortChoice.State = model.Column(model.SortColumn).SortState;
    sortChoice.SubColumn = model.SubSortColumn;
    if (model.SubSortColumn >= 0)
        sortChoice.SubState = model.Column(model.SubSortColumn).SortState;
}

void frmMain::ApplySortChoice()
{
    if (sortChoice.Column < 0)
        return;
    try {
        ui.LynxGrid1->Sort(sortChoice.Column, sortChoice.State, sortChoice.SubColumn,
                           sortChoice.SubState);
    } catch (const platform::ControlError &) {
        // the grid knows its columns better than the choice: the rows stay as listed
    }
}

void frmMain::MakeFolders()
{
    // An existing folder, or one that cannot be made, is no reason to stop: the update run
    // makes it again when it needs it.
    QDir().mkpath(MdlHelpers::AppFile(QStringLiteral("temp")));
}

void frmMain::SelectTab(int i)
{
    if (i == QuitTab) {
        close();
        // The press drew Quit as the chosen tab; it never is one.
        if (isVisible())
            ui.ButtonEx1[QuitTab]->SetValue(1);
        return;
    }
    if (i < 0 || i >= QuitTab)
        return;
    for (widgets::ButtonEx *tab : ui.ButtonEx1) tab->SetValue(1);
    ui.ButtonEx1[i]->SetValue(0);
    ui.picC[i]->raise();
    selectedTab = i;
    update();
}

void frmMain::HoldActivation()
{
    activationHeld = true;
}

void frmMain::ReleaseActivation()
{
    activationHeld = false;
    if (isVisible())
        QueueActivation();
}

void frmMain::QueueActivation()
{
    if (activated || activationQueued || activationHeld)
        return;
    activationQueued = true;
    QTimer::singleShot(0, this, &frmMain::Form_Activate);
}

void frmMain::Form_Activate()
{
    if (activated)
        return;
    activated = true;
    const QString stamp = MdlHelpers::ReadTextFile(Module1::TimeStampPath());
    if (!ConfirmYesNo(ReminderText(stamp), AppTitle(), this))
        return;
    SelectTab(1);
    platform::Clock &clock = platform::CurrentClock();
    clock.Sleep(200);
    clock.PumpEvents();
    if (!closeConfirmed)
        UpdateDataAction();
}

UpdateOutcome frmMain::UpdateDataAction()
{
    if (run->IsRunning())
        return UpdateOutcome::AlreadyRunning;
    // Disabled for the whole run, however it ends.
    struct Disabled {
        widgets::ButtonEx &button;
        explicit Disabled(widgets::ButtonEx &b) : button(b) { button.SetEnabled(false); }
        ~Disabled() { button.SetEnabled(true); }
    } disabled(*ui.ButtonEx6);
    platform::SetCursorPosition(platform::CursorPosition() + QPoint(0, 22));
    // The update tells what changed since the list in data.dat, a timer's list among them.
    ReloadReplacedDatabase();
    const UpdateOutcome outcome = run->UpdateDataAction();
    if (outcome == UpdateOutcome::Completed) {
        NoteDatabaseRead();
        ReadHistory();
    }
    return outcome;
}

void frmMain::NoteDatabaseRead()
{
    const QFileInfo file(Module1::DatabasePath());
    databaseTime = file.exists() ? file.lastModified() : QDateTime();
    databaseSize = file.exists() ? file.size() : -1;
}

void frmMain::ReloadReplacedDatabase()
{
    // Our own run keeps the table it is filling; data.dat gone is no newer list.
    if (run->IsRunning())
        return;
    const QFileInfo file(Module1::DatabasePath());
    if (!file.isFile() || (file.lastModified() == databaseTime && file.size() == databaseSize))
        return;
    NoteDatabaseRead();
    Module1::LoadStockDatabase();
    run->LoadLastChanges();
    ReadHistory();
}

void frmMain::ReadHistory()
{
    SetHistoryFacts(HistoryReader::ReadFacts());
}

bool frmMain::event(QEvent *event)
{
    // Showing the window activates it; where the window system does not (no window manager),
    // being shown counts as the activation. The reminder runs a dialog and perhaps a whole
    // update: it starts once the event has been delivered, not inside it.
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::WindowActivate)
        QueueActivation();
    return QWidget::event(event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!closeConfirmed &&
        !ConfirmYesNo(QStringLiteral("Are you sure wish to close the application"), AppTitle(),
                      this)) {
        event->ignore();
        return;
    }
    closeConfirmed = true;
    // A run in progress ends at its next page and leaves data.dat and time.txt as they were.
    run->Stop();
    // Where the window stood and how the grid looked are not worth a message at the end.
    MainWindowSettings::Write(CurrentState());
    event->accept();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int headerWidth = ui.picHeader->width();
    growth.Resize(size());
    if (ui.picHeader->width() != headerWidth)
        ui.picHeader->setPixmap(QPixmap::fromImage(Artwork::HeaderPicture(ui.picHeader->size())));
}

QString frmMain::HelpTipText(int which)
{
    switch (which) {
        case 1:
            return QStringLiteral("You can enter amounts in any form from 0.00 to 5.00.") + CrLf +
                   QStringLiteral("Remember to update your data often as prices change daily.");
        case 2:
            return QStringLiteral(
                       "This tool is an extension of the price search on our website at ") +
                   ScreenerAddress::Site() + QStringLiteral(".") + CrLf +
                   QStringLiteral(
                       "Serious Small Cap Vozaz Stock Investors need information they "
                       "can trust.") +
                   CrLf + QStringLiteral("Visit us today.");
        case 3:
            return QStringLiteral(
                "Use the More Info Button to visit our quote page and get detailed "
                "information about these companies.");
    }
    return {};
}

QString frmMain::ProductSiteAddress()
{
    return QStringLiteral("http://www.vozaz.com/zentrin/");
}
