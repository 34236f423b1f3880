// frmMain: its controls, where they stand, how they follow the window's growth, and the saved
// settings they load.
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>

#include "app/Artwork.h"
#include "app/MoreFiltersArea.h"
#include "app/frmMain.h"
#include "download/MultiDownloader.h"
#include "grid/LynxGrid.h"
#include "platform/FormSettings.h"
#include "web/WebBrowser.h"
#include "widgets/ButtonEx.h"
#include "widgets/ucProgressBar.h"

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    armed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        armed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    armed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit Click();
}

namespace {

// The window's client area at its minimum size and the band the panels share, in pixels.
constexpr int WindowWidth = frmMain::MinimumSize.width();
constexpr int WindowHeight = frmMain::MinimumSize.height();
constexpr int HeaderHeight = 84;
constexpr int TabTop = HeaderHeight + 8;
constexpr int PanelTop = TabTop + 35 + 7;
// The price panel's "More filters" row and the area it unfolds.
constexpr int MoreFiltersTop = 84;
constexpr int FiltersAreaTop = 108;

QFont LabelFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel *Text(QWidget *parent, const QString &text, const QRect &where, const QFont &font,
             const QColor &color = Artwork::Navy)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(where);
    return label;
}

QLabel *Heading(QWidget *parent, const char *name)
{
    QLabel *label = Text(parent, QString(), QRect(16, 10, 400, 28), LabelFont(15, true));
    label->setObjectName(QLatin1String(name));
    return label;
}

ClickLabel *Link(QWidget *parent, const char *name, const QRect &where)
{
    auto *link = new ClickLabel(parent);
    link->setObjectName(QLatin1String(name));
    link->setGeometry(where);
    QFont font = LabelFont(9);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Artwork::Steel);
    link->setPalette(palette);
    return link;
}

widgets::ButtonEx *Button(QWidget *parent, const QString &name, const QPoint &at)
{
    auto *button = new widgets::ButtonEx(parent);
    button->setObjectName(name);
    button->move(at);
    return button;
}

// A thin rule under a heading (Shape1 and its kin).
QFrame *Rule(QWidget *parent, int y)
{
    auto *line = new QFrame(parent);
    line->setGeometry(16, y, WindowWidth - 32, 1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(206, 214, 228));
    line->setPalette(palette);
    return line;
}

// The rows of the price panel under the grid.
constexpr int GridTop = FiltersAreaTop;
constexpr int GridHeight = 388;
constexpr int ListStatusTop = GridTop + GridHeight + 4;
constexpr int ListButtonsTop = ListStatusTop + 26;
constexpr int HintLeft = 16 + 5 * 132 + 40;  // right of the help button

}  // namespace

void frmMain::CreateControls()
{
    // The load step puts the window where it was last left.
    setMinimumSize(MinimumSize);
    resize(MinimumSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(226, 232, 242));
    setPalette(palette);
    setAutoFillBackground(true);

    ui.picHeader = new QLabel(this);
    ui.picHeader->setObjectName(QStringLiteral("picHeader"));
    ui.picHeader->setGeometry(0, 0, WindowWidth, HeaderHeight);
    ui.picHeader->setPixmap(QPixmap::fromImage(Artwork::HeaderPicture(ui.picHeader->size())));
    growth.Follow(ui.picHeader, Growth::Widens);

    for (int i = 0; i < TabCount; ++i)
        ui.ButtonEx1[i] =
            Button(this, QStringLiteral("ButtonEx1(%1)").arg(i), QPoint(16 + i * 166, TabTop));

    // The panels are made side by side; the load step stacks them on the first one.
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QWidget(this);
        panel->setObjectName(QStringLiteral("picC(%1)").arg(i));
        panel->setGeometry(i * WindowWidth, PanelTop, WindowWidth, WindowHeight - PanelTop);
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, Artwork::Panel);
        panel->setPalette(p);
        panel->setAutoFillBackground(true);
        growth.Follow(panel, Growth::Widens | Growth::Heightens);
        ui.picC[i] = panel;
    }
    CreatePricePanel(ui.picC[0]);
    CreateUpdatePanel(ui.picC[1]);
    CreateAboutPanel(ui.picC[2]);

    // The page loader of the update run; it shows nothing.
    ui.WebBrowser1 = new platform::WebBrowser(this);
    ui.WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    ui.WebBrowser1->hide();
    // The download queue belongs to the window but nothing on it uses the queue, so its icon is
    // not shown to the user.
    ui.MultiDownloader1 = new MultiDownloader(this);
    ui.MultiDownloader1->setObjectName(QStringLiteral("MultiDownloader1"));
    ui.MultiDownloader1->hide();
}

void frmMain::CreatePricePanel(QWidget *panel)
{
    ui.lblCaption0 = Heading(panel, "lblCaption(0)");
    growth.Follow(Rule(panel, 42), Growth::Widens);

    const QFont labelFont = LabelFont(9);
    Text(panel, QStringLiteral("Minimum Rate"), QRect(16, 58, 92, 22), labelFont)
        ->setObjectName(QStringLiteral("Label1(0)"));
    ui.txtMinRate = new QLineEdit(panel);
    ui.txtMinRate->setObjectName(QStringLiteral("txtMinRate"));
    ui.txtMinRate->setGeometry(108, 56, 84, 25);
    Text(panel, QStringLiteral("Maximum Rate"), QRect(214, 58, 92, 22), labelFont)
        ->setObjectName(QStringLiteral("Label1(1)"));
    ui.txtMaxRate = new QLineEdit(panel);
    ui.txtMaxRate->setObjectName(QStringLiteral("txtMaxRate"));
    ui.txtMaxRate->setGeometry(306, 56, 84, 25);
    for (QLineEdit *box : {ui.txtMinRate, ui.txtMaxRate}) {
        box->setFont(LabelFont(9.75));
        box->setAlignment(Qt::AlignRight);
        box->setMaxLength(12);
    }
    ui.cmdSearchStock = Button(panel, QStringLiteral("cmdSearchStock"), QPoint(408, 56));
    // A narrowing of the search, so a check box beside it: the tab-like buttons are the tabs.
    ui.chkNewOnly = new QCheckBox(QStringLiteral("New only"), panel);
    ui.chkNewOnly->setObjectName(QStringLiteral("chkNewOnly"));
    ui.chkNewOnly->setFont(labelFont);
    QPalette checkPalette = ui.chkNewOnly->palette();
    checkPalette.setColor(QPalette::WindowText, Artwork::Navy);
    ui.chkNewOnly->setPalette(checkPalette);
    ui.chkNewOnly->setToolTip(
        QStringLiteral("List only the stocks that entered the band in the "
                       "last update"));
    ui.chkNewOnly->setGeometry(
        QRect(QPoint(548, 56), QSize(ui.chkNewOnly->sizeHint().width(), 25)));
    ui.CmdHelpTip[0] = Button(panel, QStringLiteral("CmdHelpTip1"), QPoint(708, 56));
    ui.CmdHelpTip[0]->resize(28, 25);

    // The vendor's promotion, right of the search.
    ui.Image1 = new ClickLabel(panel);
    ui.Image1->setObjectName(QStringLiteral("Image1"));
    ui.Image1->setGeometry(WindowWidth - 316, 50, 36, 36);
    ui.Image1->setPixmap(QPixmap::fromImage(Artwork::Logo(36)));
    QLabel *promotion = Text(panel, QStringLiteral("Research every listed stock on our website."),
                             QRect(WindowWidth - 272, 50, 224, 18), LabelFont(8.25));
    promotion->setObjectName(QStringLiteral("Label4"));
    ui.Label5 = Link(panel, "Label5", QRect(WindowWidth - 272, 68, 210, 18));
    // Flush with the grid's right edge.
    ui.CmdHelpTip[1] = Button(panel, QStringLiteral("CmdHelpTip2"), QPoint(WindowWidth - 44, 56));
    ui.CmdHelpTip[1]->resize(28, 25);
    for (QWidget *right :
         std::initializer_list<QWidget *>{ui.Image1, promotion, ui.Label5, ui.CmdHelpTip[1]})
        growth.Follow(right, Growth::MovesRight);

    ui.cmdMoreFilters = new QToolButton(panel);
    ui.cmdMoreFilters->setObjectName(QStringLiteral("cmdMoreFilters"));
    ui.cmdMoreFilters->setCheckable(true);
    ui.cmdMoreFilters->setAutoRaise(true);
    ui.cmdMoreFilters->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui.cmdMoreFilters->setArrowType(Qt::RightArrow);
    ui.cmdMoreFilters->setFont(LabelFont(9, true));
    ui.cmdMoreFilters->setGeometry(12, MoreFiltersTop, 180, 22);
    ui.fraMoreFilters = new MoreFiltersArea(panel);
    ui.fraMoreFilters->move(16, FiltersAreaTop);
    ui.fraMoreFilters->hide();

    ui.LynxGrid1 = new LynxGrid(panel);
    ui.LynxGrid1->setObjectName(QStringLiteral("LynxGrid1"));
    ui.LynxGrid1->setGeometry(16, GridTop, WindowWidth - 32, GridHeight);
    growth.Follow(ui.LynxGrid1, Growth::Widens | Growth::Heightens);

    ui.lblListStatus =
        Text(panel, QString(), QRect(16, ListStatusTop, 700, 18), labelFont, Artwork::Steel);
    ui.lblListStatus->setObjectName(QStringLiteral("lblListStatus"));
    growth.Follow(ui.lblListStatus, Growth::MovesDown | Growth::Widens);

    for (int i = 0; i < 4; ++i)
        ui.ListButtons[i] = Button(panel, QStringLiteral("ButtonEx%1").arg(i + 2),
                                   QPoint(16 + i * 132, ListButtonsTop));
    ui.cmdHistory =
        Button(panel, QStringLiteral("cmdHistory"), QPoint(16 + 4 * 132, ListButtonsTop));
    growth.Follow(ui.cmdHistory, Growth::MovesDown);
    ui.CmdHelpTip[2] =
        Button(panel, QStringLiteral("CmdHelpTip3"), QPoint(16 + 5 * 132, ListButtonsTop));
    ui.CmdHelpTip[2]->resize(28, 25);
    for (QWidget *below : ui.ListButtons) growth.Follow(below, Growth::MovesDown);
    growth.Follow(ui.CmdHelpTip[2], Growth::MovesDown);
    QLabel *hint = Text(panel,
                        QStringLiteral("Click a column heading to sort by it, right-click it to "
                                       "choose the columns; hold Ctrl or Shift to select several "
                                       "stocks."),
                        QRect(HintLeft, ListButtonsTop - 3, WindowWidth - 16 - HintLeft, 32),
                        LabelFont(8.25), QColor(96, 108, 128));
    hint->setWordWrap(true);
    hint->setObjectName(QStringLiteral("Label2"));
    growth.Follow(hint, Growth::MovesRight | Growth::MovesDown);
}

void frmMain::PlacePriceSearchControls()
{
    // The unfolded area takes the grid's top; the grid's bottom stays wherever the window's
    // growth has put it.
    const int top = GridTop + (ui.fraMoreFilters->isHidden() ? 0 : MoreFiltersArea::AreaHeight + 6);
    QRect where = ui.LynxGrid1->geometry();
    where.setTop(top);
    ui.LynxGrid1->setGeometry(where);
}

void frmMain::CreateUpdatePanel(QWidget *panel)
{
    ui.lblCaption5 = Heading(panel, "lblCaption(5)");
    growth.Follow(Rule(panel, 42), Growth::Widens);
    auto *about = Text(panel,
                       QStringLiteral("Download the current list of every stock priced from "
                                      "$0 to $5. The update takes a few minutes: the screener "
                                      "is read one page a second. Your previous list stays in "
                                      "place until the new one is complete."),
                       QRect(16, 56, 640, 40), LabelFont(9));
    about->setWordWrap(true);
    about->setObjectName(QStringLiteral("Label7"));

    ui.ButtonEx6 = Button(panel, QStringLiteral("ButtonEx6"), QPoint(16, 108));

    Text(panel, QStringLiteral("Download"), QRect(16, 162, 200, 18), LabelFont(9, true))
        ->setObjectName(QStringLiteral("Label8"));
    ui.ucProgressBar1 = new widgets::ucProgressBar(panel);
    ui.ucProgressBar1->setObjectName(QStringLiteral("ucProgressBar1"));
    ui.ucProgressBar1->move(16, 182);
    Text(panel, QStringLiteral("Import"), QRect(16, 208, 200, 18), LabelFont(9, true))
        ->setObjectName(QStringLiteral("Label9"));
    ui.ucProgressBar2 = new widgets::ucProgressBar(panel);
    ui.ucProgressBar2->setObjectName(QStringLiteral("ucProgressBar2"));
    ui.ucProgressBar2->move(16, 228);

    ui.lblDownloadStatus =
        Text(panel, QString(), QRect(16, 254, 620, 20), LabelFont(9, true), Artwork::Steel);
    ui.lblDownloadStatus->setObjectName(QStringLiteral("lblDownloadStatus"));
    ui.lblUpdateProgress = Text(panel, QString(), QRect(16, 276, 620, 20), LabelFont(9));
    ui.lblUpdateProgress->setObjectName(QStringLiteral("lblUpdateProgress"));
}

void frmMain::CreateAboutPanel(QWidget *panel)
{
    ui.lblCaption2 = Heading(panel, "lblCaption(2)");
    growth.Follow(Rule(panel, 42), Growth::Widens);
    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(16, 60, 72, 72);
    picture->setPixmap(QPixmap::fromImage(Artwork::Logo(72)));
    Text(panel, QStringLiteral("Zentrin 2.0"), QRect(108, 60, 400, 28), LabelFont(14, true))
        ->setObjectName(QStringLiteral("Label3"));
    auto *text = Text(panel,
                      QStringLiteral("Zentrin keeps a list of every stock the screener reports "
                                     "from $0 to $5 on your own computer, and lists the ones in "
                                     "the price range you choose. Sort the list by any column, "
                                     "remove the stocks you are not interested in, export it "
                                     "for your spreadsheet, or look a company up on our quote "
                                     "page."),
                      QRect(108, 92, 600, 60), LabelFont(9));
    text->setWordWrap(true);
    text->setObjectName(QStringLiteral("Label10"));
    ui.Label6 = Link(panel, "Label6", QRect(108, 164, 400, 18));
    ui.lblDataFolder = Text(panel, QString(), QRect(108, 190, 600, 36), LabelFont(9));
    ui.lblDataFolder->setWordWrap(true);
    ui.lblDataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui.lblDataFolder->setObjectName(QStringLiteral("lblDataFolder"));
}

void frmMain::LoadControlSettings(const platform::FormSettings &settings)
{
    host.SetFont(LabelFont(8.25));
    platform::LoadFormControls(this, host, settings);
    // Tab reaches every button; the user sees where it went and works it with Space or Enter.
    for (widgets::ButtonEx *button : findChildren<widgets::ButtonEx *>())
        button->SetKeyboard(widgets::ButtonKeyboard::FocusAndPress);
}
