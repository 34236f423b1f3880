#include <gtest/gtest.h>

#include <QGridLayout>
#include <QLabel>
#include <QPalette>

#include "button_test_support.h"

using namespace buttontest;
using platform::Picture;

namespace {

const QColor kPanel(214, 219, 233);

struct Group {
    QString name;
    QStringList captions;
    QString skin;  // skin file prefix; empty: no up skin (the help buttons)
    int style;
    QFont font;
    QSize size;  // what the owner asks for
};

QFont FontOf(const char *family, double points, bool bold)
{
    QFont f{QLatin1String(family)};
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The main window's button groups.
QList<Group> MainWindowGroups()
{
    return {
        {"tabs",
         {"Price Search", "Data Updates", "About", "Quit"},
         "skin_large",
         StyleToggleButton,
         FontOf("Arial", 9.75, true),
         {160, 35}},
        {"commands",
         {"Search Stocks", "Remove All", "Remove Selected", "Export CSV", "More Info"},
         "skin_small",
         StylePushButton,
         FontOf("Arial", 8.25, false),
         {124, 25}},
        {"update",
         {"Update Data"},
         "skin_large",
         StylePushButton,
         FontOf("MS Sans Serif", 8.25, false),
         {160, 35}},
        {"help", {"?", "?", "?"}, "", StylePushButton, FontOf("Arial", 9.75, true), {28, 25}},
    };
}

// A button set up as the main window loads it: only the skins it uses are assigned.
ButtonEx *MakeButton(QWidget *parent, platform::ControlHost &host, const Group &g, int i)
{
    auto *b = new ButtonEx(parent);
    b->SetHost(&host);
    b->resize(g.size);
    const QString prefix = g.skin.isEmpty() ? QStringLiteral("skin_help") : g.skin;
    for (auto set : {&ButtonEx::SetSkinFocus, &ButtonEx::SetSkinDisabled, &ButtonEx::SetSkinUp})
        (b->*set)(Picture());
    b->SetAppearance(AppearanceSkinned);
    b->SetCaption(g.captions[i]);
    b->SetFont(g.font);
    b->SetStyle(g.style);
    b->SetSkinOver(Skin(prefix + "_over"));
    b->SetSkinDown(Skin(prefix + "_down"));
    if (!g.skin.isEmpty()) {
        b->SetTransparentColor(0xFFFFFFu);
        b->SetSkinUp(Skin(prefix + "_up"));
    }
    return b;
}

// A green disc on the key colour (pure blue), which the face leaves out.
QImage Icon()
{
    QImage icon(14, 14, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            if ((x - 6.5) * (x - 6.5) + (y - 6.5) * (y - 6.5) <= 36)
                icon.setPixel(x, y, qRgb(40, 160, 60));
    return icon;
}

void Hover(ButtonEx *b, ScriptedPointer &pointer)
{
    const QPoint mid(b->width() / 2, b->height() / 2);
    pointer.Over(b, mid);
    Move(b, mid);
    Move(b, mid + QPoint(1, 0));
}

// The panel as shown, checked against the buttons' back images (inside their shapes) and the
// panel colour (outside them), then saved where it can be looked at.
void CheckAndSave(QWidget &panel, const QList<ButtonEx *> &buttons, const QString &file)
{
    panel.show();
    const QImage shot = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const ButtonEx *b : buttons) {
        const QImage face = b->Surface().Image().convertToFormat(QImage::Format_RGB32);
        const QRegion shape = b->mask().isEmpty() ? QRegion(b->rect()) : b->mask();
        for (int y = 0; y < b->height(); ++y)
            for (int x = 0; x < b->width(); ++x) {
                const QRgb shown = shot.pixel(b->mapTo(&panel, QPoint(x, y)));
                if (shape.contains(QPoint(x, y)))
                    ASSERT_EQ(shown, face.pixel(x, y))
                        << file.toStdString() << " " << x << "," << y;
                else
                    ASSERT_EQ(shown, kPanel.rgb()) << file.toStdString() << " " << x << "," << y;
            }
    }
    EXPECT_TRUE(shot.save(file));
}

}  // namespace

// One picture per main-window group, a row per state: up, over, down, disabled. Saved as
// button_<group>.png in the working folder.
TEST(ButtonExScreenshot, MainWindowGroupsInEveryState)
{
    for (const Group &g : MainWindowGroups()) {
        platform::ControlHost host;
        ScriptedPointer pointer;
        QWidget panel;
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Window, kPanel);
        panel.setPalette(pal);
        panel.setAutoFillBackground(true);
        auto *grid = new QGridLayout(&panel);
        QList<ButtonEx *> all;
        const QStringList states{"up", "over", "down", "disabled"};
        for (int row = 0; row < states.size(); ++row) {
            grid->addWidget(new QLabel(states[row], &panel), row, 0);
            for (int i = 0; i < g.captions.size(); ++i) {
                ButtonEx *b = MakeButton(&panel, host, g, i);
                grid->addWidget(b, row, i + 1);
                all << b;
            }
        }
        panel.show();
        for (int row = 0; row < states.size(); ++row)
            for (int i = 0; i < g.captions.size(); ++i) {
                ButtonEx *b = all[row * g.captions.size() + i];
                if (states[row] == "over") {
                    Hover(b, pointer);
                } else if (states[row] == "down") {
                    if (g.style == StyleToggleButton) {
                        b->SetValue(0);
                    } else {
                        Hover(b, pointer);
                        Press(b, QPoint(b->width() / 2, b->height() / 2));
                    }
                } else if (states[row] == "disabled") {
                    b->SetEnabled(false);
                }
            }
        // a skinned group takes the skin's size, the help buttons keep what they were given
        EXPECT_EQ(all[0]->size(), g.size) << g.name.toStdString();
        CheckAndSave(panel, all, "button_" + g.name + ".png");
    }
}

// A classic button (raised with an icon, then flat) and a help button, up, over, down, focused and
// disabled. Saved as button_classic.png.
TEST(ButtonExScreenshot, ClassicAndHelpButtons)
{
    // one host per row: a host shows one default button at a time
    platform::ControlHost hosts[3];
    ScriptedPointer pointer;
    QWidget panel;
    QPalette pal = panel.palette();
    pal.setColor(QPalette::Window, kPanel);
    panel.setPalette(pal);
    panel.setAutoFillBackground(true);
    auto *grid = new QGridLayout(&panel);
    const QStringList states{"up", "over", "down", "focused", "disabled"};
    QList<ButtonEx *> all;
    for (int col = 0; col < states.size(); ++col)
        grid->addWidget(new QLabel(states[col], &panel), 0, col + 1);
    const QStringList kinds{"raised", "flat", "help"};
    for (int row = 0; row < kinds.size(); ++row) {
        grid->addWidget(new QLabel(kinds[row], &panel), row + 1, 0);
        for (int col = 0; col < states.size(); ++col) {
            ButtonEx *b;
            if (kinds[row] == "help") {
                b = MakeButton(&panel, hosts[row], MainWindowGroups()[3], 0);
            } else {
                b = new ButtonEx(&panel);
                b->SetHost(&hosts[row]);
                b->resize(100, 28);
                b->SetCaption(QStringLiteral("&Remove"));
                b->SetAppearance(kinds[row] == "raised" ? AppearanceRaised : AppearanceFlat);
                if (kinds[row] == "raised") {
                    // as loaded with only Picture saved: every state falls back to it (a new
                    // button's state icons are assigned but empty and would show none)
                    for (auto set : {&ButtonEx::SetPictureOver, &ButtonEx::SetPictureDown,
                                     &ButtonEx::SetPictureFocus, &ButtonEx::SetPictureDisabled})
                        (b->*set)(Picture());
                    b->SetPicture(Picture::FromImage(Icon()));
                }
            }
            grid->addWidget(b, row + 1, col + 1);
            all << b;
        }
    }
    panel.show();
    for (int row = 0; row < kinds.size(); ++row)
        for (int col = 0; col < states.size(); ++col) {
            ButtonEx *b = all[row * states.size() + col];
            if (states[col] == "over") {
                Hover(b, pointer);
            } else if (states[col] == "down") {
                Hover(b, pointer);
                Press(b, QPoint(b->width() / 2, b->height() / 2));
            } else if (states[col] == "focused") {
                // what focus draws, without needing an active window
                hosts[row].SetDefaultControl(b);
            } else if (states[col] == "disabled") {
                b->SetEnabled(false);
            }
        }
    CheckAndSave(panel, all, QStringLiteral("button_classic.png"));
}
