#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "GridTestSupport.h"
#include "grid/GridCellEditor.h"
#include "platform/Colors.h"

// In-cell editing: the edit box or a bound host control over the cell, opened and ended by the
// keys, the pointer and the grid's own operations, with the host asked before either step.

namespace {

class EditGrid : public LynxGrid {
public:
    using LynxGrid::LynxGrid;
    int Paints = 0;

protected:
    void PaintGrid() override
    {
        ++Paints;
        LynxGrid::PaintGrid();
    }
};

// An editable main-window grid (20-pixel rows, columns 100 wide) on a shown, active form, with
// the text "r<row>" in column 0 and "c<row>" in column 1.
struct Form {
    platform::ControlHost host;
    QWidget window;
    EditGrid &grid = *new EditGrid(&window);
    Calls<int, int, QString &, bool &> updates{grid, &LynxGrid::RequestUpdate};
    std::function<void(QString &, bool &)> onUpdate = [](QString &, bool &) {};

    explicit Form(int rows = 10)
    {
        window.resize(700, 500);
        grid.move(10, 30);
        LoadLikeTheMainWindow(grid, host, {404, 428}, 3, rows);
        for (int r = 0; r < rows; ++r) grid.SetCellText(r, 1, QStringLiteral("c%1").arg(r));
        grid.SetEditable(true);
        QObject::connect(
            &grid, &LynxGrid::RequestUpdate, &grid,
            [this](int, int, QString &value, bool &cancel) { onUpdate(value, cancel); });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid.setFocus();
        grid.SetRow(2);
        grid.SetCol(1);
    }
    const lynx::GridCellEditor &Editor() const { return grid.Editor(); }
    QLineEdit &Box() const { return *grid.Editor().EditBox(); }
    // Keys go where the focus is: the box while it is shown.
    QWidget *KeyTarget() { return Box().isVisible() ? static_cast<QWidget *>(&Box()) : &grid; }
    QPoint OnRow(int row) const
    {
        return QPoint(50, grid.RowTop(row) + 10) + grid.ClientRect().topLeft();
    }
    // A move with no button held (QTest moves the desktop's cursor for those instead).
    void Hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, grid.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&grid, &move);
    }
    void Wheel(int delta)
    {
        const QPointF at(50, 50);
        QWheelEvent event(at, grid.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&grid, &event);
    }
    void FocusOut(QWidget &w, Qt::FocusReason reason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&w, &out);
    }
};

}  // namespace

TEST(GridEditor, TriggerBitsDecideWhichKeyOrClickOpensAnEdit)
{
    struct Case {
        const char *name;
        bool editable;
        int trigger;
        Qt::Key key;  // none: clicks instead
        int clicks;
        bool opens;
        short hostKey;  // KeyDown the host sees, 0 for none
        int keyPresses;
    };
    const Qt::Key none{};
    const Case cases[] = {
        {"defaults: Enter", false, 2, Qt::Key_Return, 0, false, 13, 0},
        {"defaults: Esc", false, 2, Qt::Key_Escape, 0, false, 27, 0},
        {"defaults: F2", false, 2, Qt::Key_F2, 0, false, 113, 0},
        {"Enter", true, 2, Qt::Key_Return, 0, true, 0, 0},
        {"F2 without its bit", true, 2, Qt::Key_F2, 0, false, 113, 0},
        {"F2", true, 4, Qt::Key_F2, 0, true, 0, 0},
        {"Enter without its bit is the host's", true, 4, Qt::Key_Return, 0, false, 13, 1},
        {"click", true, 8, none, 1, true, 0, 0},
        {"click without its bit", true, 16, none, 1, false, 0, 0},
        {"double click", true, 16, none, 2, true, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        f.grid.SetEditable(c.editable);
        f.grid.SetEditTrigger(c.trigger);
        Calls<short &, short &> keyDowns(f.grid, &LynxGrid::KeyDown);
        Calls<short &> keyPresses(f.grid, &LynxGrid::KeyPress);
        const QPoint cell = f.OnRow(2) + QPoint(100, 0);
        f.Hover(cell);
        if (c.key != none)
            QTest::keyClick(&f.grid, c.key);
        else if (c.clicks == 1)
            QTest::mouseClick(&f.grid, Qt::LeftButton, {}, cell);
        else
            QTest::mouseDClick(&f.grid, Qt::LeftButton, {}, cell);
        EXPECT_EQ(f.Editor().Editing(), c.opens);
        EXPECT_EQ(f.Box().isVisible(), c.opens);
        ASSERT_EQ(keyDowns.count(), c.hostKey ? 1 : 0);
        if (c.hostKey) {
            EXPECT_EQ(std::get<0>(keyDowns.Seen[0]), c.hostKey);
        }
        EXPECT_EQ(keyPresses.count(), c.keyPresses);
    }
}

TEST(GridEditor, EnterOpensTheBoxWithTheTextSelectedAndEnterCommitsAsTheHostSays)
{
    enum Host { Accepts, Replaces, Refuses };
    struct Case {
        const char *name;
        const char *typed;  // nullptr: the text is left as it is
        Host host;
        int updates;
        const char *stored;
        bool changedFlag;
        bool stillOpen;
    };
    const Case cases[] = {
        {"unchanged text asks nothing", nullptr, Accepts, 0, "c2", false, false},
        {"a change is stored", "xyz", Accepts, 1, "xyz", true, false},
        {"the host's value is stored", "xyz", Replaces, 1, "HOST", true, false},
        {"a refused value keeps the edit open", "xyz", Refuses, 1, "c2", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        f.onUpdate = [&](QString &value, bool &cancel) {
            if (c.host == Replaces)
                value = QStringLiteral("HOST");
            cancel = c.host == Refuses;
        };
        QTest::keyClick(&f.grid, Qt::Key_Return);
        ASSERT_TRUE(f.Editor().Editing());
        EXPECT_EQ(f.Box().text(), QStringLiteral("c2"));
        EXPECT_EQ(f.Box().selectedText(), QStringLiteral("c2"));
        EXPECT_TRUE(f.Box().hasFocus());
        EXPECT_EQ(f.Box().palette().color(QPalette::Base), platform::ToQColor(0xC0FFFF));
        if (c.typed)
            QTest::keyClicks(&f.Box(), QString::fromLatin1(c.typed));
        const int paints = f.grid.Paints;
        QTest::keyClick(&f.Box(), Qt::Key_Return);
        EXPECT_EQ(f.updates.count(), c.updates);
        if (c.updates) {  // as the grid raised it, before the handler
            EXPECT_EQ(f.updates.Seen[0],
                      std::make_tuple(2, 1, QString::fromLatin1(c.typed), false));
        }
        EXPECT_EQ(f.grid.CellText(2, 1), QString::fromLatin1(c.stored));
        EXPECT_EQ(f.grid.CellChanged(2, 1), c.changedFlag);
        EXPECT_EQ(f.Editor().Editing(), c.stillOpen);
        EXPECT_EQ(f.Box().isVisible(), c.stillOpen);
        EXPECT_EQ(f.grid.Paints > paints, !c.stillOpen);
        if (!c.stillOpen) {
            EXPECT_TRUE(f.grid.hasFocus());
        }
    }
}

TEST(GridEditor, CallersCommitAnOpenEditAndDoNothingElseWhileTheHostRefuses)
{
    enum Caller { KeyDown, KeyPageDown, PressOnARow, Sort, EditElsewhere, Wheel };
    struct Case {
        const char *name;
        Caller caller;
        int rowAfter;  // the current row once the edit was committed
        int topAfter;
        int editedRow;  // where the committed text is then
    };
    const Case cases[] = {
        {"Down", KeyDown, 3, 0, 2},
        {"Page Down", KeyPageDown, 2 + 20 - 1, 20, 2},
        {"a press on a row", PressOnARow, 5, 0, 2},
        {"Sort", Sort, 12, 0, 12},  // r0 r1 r10 .. r19 r2
        {"EditCell", EditElsewhere, 2, 0, 2},
        {"the wheel", Wheel, 2, 1, 2},
    };
    for (const Case &c : cases) {
        for (const bool refuse : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (refuse ? ", refused" : ""));
            Form f(40);
            f.onUpdate = [&](QString &, bool &cancel) { cancel = refuse; };
            QSignalSpy sorted(&f.grid, &LynxGrid::SortComplete);
            Calls<int, int, bool &> requests(f.grid, &LynxGrid::RequestEdit);
            Calls<short &, short &> keyDowns(f.grid, &LynxGrid::KeyDown);
            f.grid.EditCell(2, 1);
            QTest::keyClicks(&f.Box(), QStringLiteral("new"));
            const QRect box = f.Box().geometry();
            switch (c.caller) {
                case KeyDown:
                    QTest::keyClick(&f.Box(), Qt::Key_Down);
                    break;
                case KeyPageDown:
                    QTest::keyClick(&f.Box(), Qt::Key_PageDown);
                    break;
                case PressOnARow:
                    QTest::mouseClick(&f.grid, Qt::LeftButton, {}, f.OnRow(5));
                    break;
                case Sort:
                    f.grid.Sort(0, 1);
                    break;
                case EditElsewhere:
                    f.grid.EditCell(4, 1);
                    break;
                case Wheel:
                    f.Wheel(-120);
                    break;
            }
            EXPECT_EQ(f.updates.count(), 1);
            EXPECT_EQ(f.Editor().Editing(), refuse || c.caller == EditElsewhere);
            EXPECT_EQ(f.Editor().EditRow(), refuse || c.caller != EditElsewhere ? 2 : 4);
            EXPECT_EQ(requests.count(), refuse || c.caller != EditElsewhere ? 1 : 2);
            EXPECT_EQ(f.grid.FindItem(QStringLiteral("new"), 1), refuse ? -1 : c.editedRow);
            EXPECT_EQ(f.grid.Row(), refuse ? 2 : c.rowAfter);
            EXPECT_EQ(f.grid.ItemSelected(5), !refuse && c.caller == PressOnARow);
            EXPECT_EQ(sorted.count(), !refuse && c.caller == Sort ? 1 : 0);
            // Refused, the keys are the host's; the view still scrolls, leaving the box.
            const bool movingKey = c.caller == KeyDown || c.caller == KeyPageDown;
            EXPECT_EQ(keyDowns.count(), refuse && movingKey ? 1 : 0);
            EXPECT_EQ(f.grid.Layout().TopRow(), refuse && c.caller != Wheel ? 0 : c.topAfter);
            if (refuse) {
                EXPECT_EQ(f.Box().geometry(), box);
                EXPECT_EQ(f.Box().text(), QStringLiteral("new"));
            }
        }
    }
}

TEST(GridEditor, TheBoxCoversTheCellInsideItsGridLinesInTheCellsLook)
{
    // Rows from the top of the client area (no header band): row 1 at y 36, 20 high; columns
    // 100 and 80 wide.
    const auto load = [](LynxGrid &grid, platform::ControlHost &host, bool checkBoxes) {
        grid.SetHost(&host);
        platform::SettingsStore saved;
        saved.WriteInt("ScaleUnits", 3, 1);
        saved.WriteInt("RowHeightMin", 20, 0);
        saved.WriteBool("ColumnHeaders", false, true);
        saved.WriteBool("CheckBoxes", checkBoxes, false);
        grid.ReadProperties(saved);
        grid.resize(400, 300);
        grid.AddColumn(QStringLiteral("C0"), 100);
        grid.AddColumn(QStringLiteral("C1"), 80);
        for (int r = 0; r < 3; ++r) grid.AddItem(QStringLiteral("a\tb"));
        grid.SetRowHeight(0, 36);
        grid.SetEditable(true);
    };
    struct Case {
        const char *name;
        bool checkBoxes;
        int col;
        QRect at;  // left -1: at TextLeft
    };
    const Case cases[] = {
        {"column 1", false, 1, QRect(101, 37, 79, 19)},
        {"column 1 behind check boxes", true, 1, QRect(101, 37, 79, 19)},
        {"column 0", false, 0, QRect(1, 37, 99, 19)},
        {"column 0 behind check boxes", true, 0, QRect(-1, 37, 0, 19)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        platform::ControlHost host;
        LynxGrid grid;
        load(grid, host, c.checkBoxes);
        grid.EditCell(1, c.col);
        QRect expected = c.at;
        if (expected.left() < 0) {
            const int textLeft = grid.Metrics().TextLeft;
            ASSERT_GT(textLeft, 3);
            expected = QRect(textLeft, 37, 100 - textLeft, 19);  // no grid-line offset
        }
        EXPECT_EQ(grid.Editor().EditBox()->geometry().translated(-grid.ClientRect().topLeft()),
                  expected);
    }

    struct Look {
        int alignment;
        Qt::Alignment horizontal;
        bool bold;
        bool italic;
    };
    const Look looks[] = {{6, Qt::AlignRight, true, false},
                          {9, Qt::AlignHCenter, false, true},
                          {4, Qt::AlignLeft, false, false}};
    platform::ControlHost host;
    LynxGrid grid;
    load(grid, host, false);
    for (const Look &l : looks) {
        SCOPED_TRACE(l.alignment);
        grid.SetCellAlignment(2, 1, l.alignment);
        grid.SetCellFontBold(2, 1, l.bold);
        grid.SetCellFontItalic(2, 1, l.italic);
        grid.EditCell(2, 1);
        const QLineEdit &box = *grid.Editor().EditBox();
        EXPECT_EQ(box.alignment() & Qt::AlignHorizontal_Mask, l.horizontal);
        EXPECT_EQ(box.font().bold(), l.bold);
        EXPECT_EQ(box.font().italic(), l.italic);
        EXPECT_EQ(box.font().family(), grid.Font().family());
        EXPECT_EQ(box.text(), QStringLiteral("b"));
    }
}

TEST(GridEditor, NothingOpensWhereEditingIsNotAllowed)
{
    struct Case {
        const char *name;
        std::function<void(LynxGrid &)> setUp;
        int requests;
    };
    const Case cases[] = {
        {"a check-box column", [](LynxGrid &g) { g.SetColType(1, TypeCheckBox); }, 0},
        {"not editable", [](LynxGrid &g) { g.SetEditable(false); }, 0},
        {"the host cancels",
         [](LynxGrid &g) {
             QObject::connect(&g, &LynxGrid::RequestEdit, &g,
                              [](int, int, bool &cancel) { cancel = true; });
         },
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        c.setUp(f.grid);
        Calls<int, int, bool &> requests(f.grid, &LynxGrid::RequestEdit);
        f.grid.EditCell(2, 1);
        EXPECT_EQ(requests.count(), c.requests);
        EXPECT_FALSE(f.Editor().Editing());
        EXPECT_FALSE(f.Box().isVisible());
    }
    Form f;
    EXPECT_TRUE(FailsWith(9, [&] { f.grid.EditCell(10, 1); }));
    EXPECT_TRUE(FailsWith(9, [&] { f.grid.EditCell(1, 3); }));
    EXPECT_FALSE(f.Editor().Editing());
}

TEST(GridEditor, ABoundControlEditsInTheGridsContainerAndTheHostSuppliesItsValue)
{
    for (const bool copies : {false, true}) {
        SCOPED_TRACE(copies ? "the handler copies the control's text" : "the handler sets nothing");
        Form f;
        QWidget panel(&f.window);
        panel.setGeometry(450, 300, 200, 100);
        auto *control = new QLineEdit(&panel);
        control->setGeometry(5, 5, 50, 20);
        control->setEnabled(false);
        control->hide();
        f.grid.BindControl(1, control);
        f.onUpdate = [&](QString &value, bool &) {
            if (copies)
                value = control->text();
        };
        QTest::keyClick(&f.grid, Qt::Key_Return);
        ASSERT_TRUE(f.Editor().Editing());
        EXPECT_FALSE(f.Box().isVisible());
        EXPECT_EQ(control->parentWidget(), &f.window);
        EXPECT_EQ(f.Editor().BoundEditParent(), &f.window);
        EXPECT_TRUE(control->isVisible());
        EXPECT_TRUE(control->isEnabled());
        // The grid's place, its 2-pixel border, the cell inside its grid lines.
        EXPECT_EQ(control->geometry(), QRect(10 + 2 + 101, 30 + 2 + f.grid.RowTop(2) + 1, 99, 19));

        // Focus lost to the list of a combo box or with the pointer over the grid: still open.
        f.FocusOut(*control, Qt::PopupFocusReason);
        f.Hover(f.OnRow(5));
        f.FocusOut(*control, Qt::MouseFocusReason);
        EXPECT_TRUE(f.Editor().Editing());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&f.grid, &leave);
        control->setText(QStringLiteral("typed"));
        f.FocusOut(*control, Qt::TabFocusReason);
        EXPECT_FALSE(f.Editor().Editing());
        ASSERT_EQ(f.updates.count(), 1);
        EXPECT_EQ(std::get<2>(f.updates.Seen[0]), QString());
        EXPECT_EQ(f.grid.CellText(2, 1), copies ? QStringLiteral("typed") : QString());
        EXPECT_TRUE(f.grid.CellChanged(2, 1));
        // Back where it came from, hidden.
        EXPECT_EQ(control->parentWidget(), &panel);
        EXPECT_EQ(control->geometry(), QRect(5, 5, 50, 20));
        EXPECT_FALSE(control->isVisible());
    }
}

TEST(GridEditor, ABoundControlGoesHomeWhenTheGridGoesDuringAnEdit)
{
    Form f;
    QWidget panel(&f.window);
    auto *control = new QLineEdit(&panel);
    control->setGeometry(5, 5, 50, 20);
    f.grid.BindControl(1, control);
    f.grid.EditCell(2, 1);
    ASSERT_EQ(control->parentWidget(), &f.window);
    delete &f.grid;
    EXPECT_EQ(control->parentWidget(), &panel);
    EXPECT_EQ(control->geometry(), QRect(5, 5, 50, 20));
    EXPECT_FALSE(control->isVisible());
}

TEST(GridEditor, ABoundComboBoxDropsItsListWithRowsOfTheGridsHeight)
{
    Form f;
    auto *combo = new QComboBox(&f.window);
    combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
    combo->hide();
    f.grid.BindControl(1, combo, 4 | 8 | 1);
    f.grid.EditCell(2, 1);
    EXPECT_EQ(f.Editor().BoundEditParent(), nullptr);  // already in the grid's container
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(combo->pos(), QPoint(10 + 2 + 101, 30 + 2 + f.grid.RowTop(2)));  // on the line
    const QModelIndex item = combo->model()->index(1, 0);
    EXPECT_EQ(combo->view()->sizeHintForIndex(item).height(), 20 - 1 - 4);
    QTest::keyClick(&f.grid, Qt::Key_Escape);
    EXPECT_FALSE(f.Editor().Editing());
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(f.updates.count(), 0);
}

TEST(GridEditor, EscAndTheOperationsThatDropCellsAbandonWithoutAskingTheHost)
{
    struct Case {
        const char *name;
        std::function<void(Form &)> act;
        bool keepsCells;
    };
    const Case cases[] = {
        {"Esc", [](Form &f) { QTest::keyClick(f.KeyTarget(), Qt::Key_Escape); }, true},
        {"Clear", [](Form &f) { f.grid.Clear(); }, false},
        {"RemoveItem", [](Form &f) { f.grid.RemoveItem(2); }, false},
        {"RemoveItems",
         [](Form &f) {
             f.grid.RemoveItems({0, 2});
         },
         false},
        {"Cols", [](Form &f) { f.grid.SetCols(1); }, false},
        {"FormatString", [](Form &f) { f.grid.SetFormatString(QString()); }, false},
    };
    for (const Case &c : cases) {
        for (const bool bound : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (bound ? ", bound control" : ""));
            Form f;
            QWidget panel(&f.window);
            auto *control = new QLineEdit(&panel);
            control->hide();
            if (bound)
                f.grid.BindControl(1, control);
            f.grid.EditCell(2, 1);
            QTest::keyClicks(f.KeyTarget(), QStringLiteral("new"));
            c.act(f);
            EXPECT_FALSE(f.Editor().Editing());
            EXPECT_FALSE(f.Box().isVisible());
            EXPECT_FALSE(control->isVisible());
            EXPECT_EQ(control->parentWidget(), &panel);
            EXPECT_EQ(f.updates.count(), 0);
            if (c.keepsCells) {
                EXPECT_EQ(f.grid.CellText(2, 1), QStringLiteral("c2"));
            }
            EXPECT_TRUE(f.grid.hasFocus());
        }
    }
}

TEST(GridEditor, TheBoxFollowsAColumnResizedByTheUser)
{
    Form f;
    f.grid.SetAllowUserResizing(1);
    f.grid.EditCell(2, 1);
    const QRect before = f.Box().geometry();
    const QPoint edge = QPoint(f.grid.ColLeft(1), 10) + f.grid.ClientRect().topLeft();
    f.Hover(edge);
    QTest::mousePress(&f.grid, Qt::LeftButton, {}, edge);
    QTest::mouseMove(&f.grid, edge + QPoint(30, 0));
    QTest::mouseRelease(&f.grid, Qt::LeftButton, {}, edge + QPoint(30, 0));
    EXPECT_TRUE(f.Editor().Editing());
    EXPECT_EQ(f.Box().geometry(), before.translated(30, 0));
}

TEST(GridEditor, CommittingAWrappingTextGrowsTheRowWithAutoSizeRow)
{
    Form f;
    f.grid.SetAutoSizeRow(true);
    f.grid.SetCellWordWrap(2, 1, true);
    const float before = f.grid.RowHeight(2);
    f.grid.EditCell(2, 1);
    f.Box().setText(QStringLiteral("several words that need two lines"));
    QTest::keyClick(&f.Box(), Qt::Key_Return);
    EXPECT_GT(f.grid.RowHeight(2), before);
}
