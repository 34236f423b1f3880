#pragma once

#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "app/DataUpdateRun.h"
#include "app/HistoryColumns.h"
#include "app/HistoryFacts.h"
#include "app/MainWindowSettings.h"
#include "app/SavedScreens.h"
#include "app/StockScreen.h"
#include "app/WindowGrowth.h"
#include "platform/ControlHost.h"

class LynxGrid;
class MoreFiltersArea;
class MultiDownloader;
class PageFetcher;
class QCheckBox;
class QLineEdit;
class frmPriceHistory;
class QToolButton;
class UpdateRunPanel;

namespace widgets {
class ButtonEx;
class ucProgressBar;
}  // namespace widgets

namespace platform {
class FormSettings;
class WebBrowser;
}  // namespace platform

// A label the user can click (the web links of the main window).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool armed = false;
};

// The controls of the main window under the names its handlers use.
struct frmMainControls {
    using ButtonEx = widgets::ButtonEx;
    using ucProgressBar = widgets::ucProgressBar;

    QLabel *picHeader = nullptr;
    std::array<ButtonEx *, 4> ButtonEx1{};  // tabs: Price Search, Data Updates, About, Quit
    std::array<QWidget *, 3> picC{};        // the panels of tabs 0 to 2, stacked
    QLabel *lblCaption0 = nullptr;          // panel headings (indices 0, 5 and 2)
    QLabel *lblCaption5 = nullptr;
    QLabel *lblCaption2 = nullptr;
    QLineEdit *txtMinRate = nullptr;
    QLineEdit *txtMaxRate = nullptr;
    ButtonEx *cmdSearchStock = nullptr;
    QCheckBox *chkNewOnly = nullptr;            // the search lists only the last update's newcomers
    QToolButton *cmdMoreFilters = nullptr;      // shows or folds away the area below
    MoreFiltersArea *fraMoreFilters = nullptr;  // bounds on the other numbers, saved screens
    LynxGrid *LynxGrid1 = nullptr;
    QLabel *lblListStatus = nullptr;  // under the grid: how many stocks are listed, or why none
    std::array<ButtonEx *, 4> ListButtons{};  // ButtonEx2 to ButtonEx5
    ButtonEx *cmdHistory = nullptr;           // beside More Info: the current stock's chart
    std::array<ButtonEx *, 3> CmdHelpTip{};   // CmdHelpTip1 to CmdHelpTip3
    ClickLabel *Label5 = nullptr;             // the vendor's web site
    ClickLabel *Image1 = nullptr;
    ButtonEx *ButtonEx6 = nullptr;  // Update Data
    ucProgressBar *ucProgressBar1 = nullptr;
    ucProgressBar *ucProgressBar2 = nullptr;
    QLabel *lblDownloadStatus = nullptr;
    QLabel *lblUpdateProgress = nullptr;  // where a run is; afterwards what the last update found
    ClickLabel *Label6 = nullptr;         // the product's web site
    QLabel *lblDataFolder = nullptr;      // where the program keeps its files
    platform::WebBrowser *WebBrowser1 = nullptr;
    MultiDownloader *MultiDownloader1 = nullptr;  // on the window, used by none of its handlers
};

// The program's working window: the tabs, the price search and its grid, the data update with
// its two bars, the about page. Creating it runs its load steps: caption, stacked panels,
// headings, the grid's eleven columns, the temp folder, data.dat, the first tab. Its described
// size is its minimum; the grid takes any room beyond it. The window's place and the grid's
// columns and sort come back from zentrin.ini and go there again when the window closes.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // The window's saved control settings, a resource of the program.
    static const QString SettingsResource;
    static constexpr int TabCount = 4;
    static constexpr int QuitTab = 3;
    static constexpr QSize MinimumSize{1060, 690};

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    const frmMainControls &Controls() const { return ui; }

    // Tab i (0 to 2) shown with its button pressed; tab 3 asks to close the window instead.
    void SelectTab(int i);
    // The tab whose panel is on top.
    int SelectedTab() const { return selectedTab; }

    // The first activation: the update reminder, which may start an update run. Later calls do
    // nothing.
    void Form_Activate();
    bool Activated() const { return activated; }
    // While held, showing the window does not yet count as its first activation (the splash
    // window still fades out over it); releasing runs it when the window is shown.
    void HoldActivation();
    void ReleaseActivation();

    // The "Search Stocks" button: lists the stocks whose price lies in the typed range and whose
    // other numbers lie in the bounds of the "More filters" area; with "New only" pressed, only
    // those of them that entered the band at the last update. A box that holds no usable number
    // is named in a message and the list stays as it was.
    void SearchStocks();
    // What the last search listed and left out.
    const StockScreen::Outcome &LastSearch() const { return lastSearch; }
    // "New only" checked.
    bool NewOnly() const;
    // Rebuilds the grid from the records the last search marked, in table order, then sorts it
    // as the user last sorted it.
    void LoadDataToGrid();
    // What the price history says of the listed stocks: "Chg %" and "Since" of the next fills;
    // a grid that a search filled is filled again at once.
    void SetHistoryFacts(HistoryFacts facts);
    const HistoryFacts &History() const { return historyColumns.Facts(); }
    // Where the "History" window reads a stock's prices; none set, it has no history to show.
    void SetPriceSeriesSource(PriceSeriesSource source) { seriesSource = std::move(source); }
    // The grid's sort as the user last chose it; it outlives the fills and Remove All.
    const GridSortChoice &SortChoice() const { return sortChoice; }

    // The "More filters" area shown or folded away; folded, its bounds still apply.
    void SetMoreFiltersShown(bool shown);
    bool MoreFiltersShown() const;
    // "Save screen...": asks for a name and stores the boxes' bounds under it in screens.ini.
    void SaveScreen();
    // The saved screen at that index of the drop-down: its bounds into the boxes, then a search.
    void ApplySavedScreen(int index);
    // "Delete screen": after a Yes, removes the screen chosen in the drop-down.
    void DeleteScreen();

    // The list actions under the grid. "Remove All" empties the grid.
    void RemoveAllRows();
    // "Remove Selected": after a Yes, removes the selected rows, lowest first.
    void RemoveSelectedRows();
    // "Export CSV": writes the rows as shown to a file chosen in the Save-As dialog.
    void ExportCsv();
    // "More Info": the quote page of the current row's stock; nothing without a current row.
    void OpenQuotePage();
    // "History" (and a double click on a row): the chart of the current row's stock over every
    // snapshot, in a window of its own that the next stock reuses; nothing without a current
    // row.
    void OpenHistory();
    // The chart window once opened, else nullptr.
    frmPriceHistory *HistoryWindow() const { return historyWindow; }

    // The menu a right click on the header row opens at `where` (screen coordinates): one
    // checked entry per column shown, in the columns' order; the last shown column cannot be
    // hidden. Not modal: it closes when an entry is chosen or the user clicks elsewhere.
    void ShowColumnMenu(const QPoint &where);
    // The open column menu, else nullptr.
    QMenu *ColumnMenu() const { return columnMenu; }
    // Shows or hides a column slot; the last shown column stays. Hidden columns are not
    // exported either.
    void SetColumnShown(int slot, bool shown);

    // The "Update Data" button: moves the pointer 22 pixels down, then runs the update; the
    // button is disabled while the run goes on.
    UpdateOutcome UpdateDataAction();
    bool UpdateRunning() const { return run->IsRunning(); }

    // The message of help button 1 to 3.
    static QString HelpTipText(int which);
    // The address Label6 shows: the product's web site.
    static QString ProductSiteAddress();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void CreatePricePanel(QWidget *panel);
    void CreateUpdatePanel(QWidget *panel);
    void CreateAboutPanel(QWidget *panel);
    void LoadControlSettings(const platform::FormSettings &settings);
    void ConnectHandlers();
    void Form_Load();
    void MakeFolders();
    void NewOnlyClicked();
    void QueueActivation();
    void RememberGridSort();
    void GridMouseDown(short &button, short &shift, float &x, float &y);
    void GridDoubleClick();
    void ShowListCount();
    void ApplySortChoice();
    void RestoreState(const MainWindowState &state);
    MainWindowState CurrentState() const;
    std::optional<ScreenBounds> ReadPriceBoxes();
    std::optional<ScreenBounds> ReadScreenBoxes();
    void LoadSavedScreens();
    void ShowSavedScreens(const QString &current);
    void UpdateMoreFiltersCaption();
    void PlacePriceSearchControls();
    // Loads data.dat and changes.txt again when another Zentrin (a timer's update) has replaced
    // data.dat since the window last read it.
    void ReloadReplacedDatabase();
    // The price history's facts read again, after the start and after every new data.dat.
    void ReadHistory();
    void NoteDatabaseRead();

    frmMainControls ui;
    platform::ControlHost host;
    WindowGrowth growth{MinimumSize};
    GridSortChoice sortChoice;
    std::unique_ptr<PageFetcher> fetcher;
    std::unique_ptr<UpdateRunPanel> runPanel;
    std::unique_ptr<DataUpdateRun> run;
    SavedScreens screens;
    StockScreen::Outcome lastSearch;
    HistoryColumns historyColumns;
    PriceSeriesSource seriesSource;
    frmPriceHistory *historyWindow = nullptr;  // a child window, deleted with this one
    QPointer<QMenu> columnMenu;                // deleted when it closes
    bool pressedInHeader = false;              // the grid's last press
    // data.dat as the window last read or wrote it: its time and size
    QDateTime databaseTime;
    qint64 databaseSize = -1;
    int selectedTab = 0;
    bool searched = false;  // a search has filled the grid
    bool activated = false;
    bool activationQueued = false;
    bool activationHeld = false;
    bool closeConfirmed = false;
};
