#pragma once

// Helpers shared by the ButtonEx tests: a button hosted on a shown window, a log of its
// events, pointer events sent straight to it, and a scripted pointer position for Timer1.

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "QtPrinters.h"
#include "platform/ControlHost.h"
#include "platform/CursorPosition.h"
#include "platform/DrawingSurface.h"
#include "platform/Picture.h"
#include "widgets/ButtonEx.h"

namespace buttontest {

using namespace widgets;

// Every event of the button as "Name" or "Name a b x y" in the order raised.
struct EventLog {
    explicit EventLog(ButtonEx &b)
    {
        auto mouse = [this](const char *name) {
            return [this, name](short &button, short &shift, float &x, float &y) {
                names << QStringLiteral("%1 %2 %3 %4 %5")
                             .arg(QLatin1String(name))
                             .arg(button)
                             .arg(shift)
                             .arg(x)
                             .arg(y);
            };
        };
        QObject::connect(&b, &ButtonEx::Click, [this] { names << "Click"; });
        QObject::connect(&b, &ButtonEx::MouseEnter, [this] { names << "MouseEnter"; });
        QObject::connect(&b, &ButtonEx::MouseExit, [this] { names << "MouseExit"; });
        QObject::connect(&b, &ButtonEx::Resize, [this] { names << "Resize"; });
        QObject::connect(&b, &ButtonEx::MouseDown, mouse("MouseDown"));
        QObject::connect(&b, &ButtonEx::MouseMove, mouse("MouseMove"));
        QObject::connect(&b, &ButtonEx::MouseUp, mouse("MouseUp"));
        QObject::connect(&b, &ButtonEx::KeyDown, [this](short &key, short &shift) {
            names << QStringLiteral("KeyDown %1 %2").arg(key).arg(shift);
        });
        QObject::connect(&b, &ButtonEx::KeyPress, [this](short &ascii) {
            names << QStringLiteral("KeyPress %1").arg(ascii);
        });
        QObject::connect(&b, &ButtonEx::KeyUp, [this](short &key, short &shift) {
            names << QStringLiteral("KeyUp %1 %2").arg(key).arg(shift);
        });
    }
    // The names only (first word of each entry), and forget them.
    QStringList TakeNames()
    {
        QStringList out;
        for (const QString &n : names) out << n.section(QLatin1Char(' '), 0, 0);
        names.clear();
        return out;
    }
    QStringList Take()
    {
        QStringList out = names;
        names.clear();
        return out;
    }
    QStringList names;
};

// A button on a shown 400 x 200 window, hosted in run mode.
struct HostedButton {
    HostedButton()
    {
        window.resize(400, 200);
        button = new ButtonEx(&window);
        button->move(20, 30);
        button->SetHost(&host);
        window.show();
    }
    platform::ControlHost host;
    QWidget window;
    ButtonEx *button;
};

inline void SendMouse(QWidget *w, QEvent::Type type, Qt::MouseButton button, QPointF pos,
                      Qt::MouseButtons held, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void Move(QWidget *w, QPointF pos, Qt::MouseButtons held = Qt::NoButton)
{
    SendMouse(w, QEvent::MouseMove, Qt::NoButton, pos, held);
}

inline void Press(QWidget *w, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseButtonPress, button, pos, button, mods);
}

inline void Release(QWidget *w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonRelease, button, pos, Qt::NoButton);
}

// The pointer position Timer1 reads, in screen pixels; restores the real pointer when done.
struct ScriptedPointer {
    ScriptedPointer()
    {
        platform::SetCursorService(
            {[this] { return global; }, [this](const QPoint &p) { global = p; }});
    }
    ~ScriptedPointer() { platform::SetCursorService({}); }
    void Over(const QWidget *w, QPoint local) { global = w->mapToGlobal(local); }
    QPoint global;
};

// The main window's skins, read from the source tree (the program reads its resources).
inline platform::Picture Skin(const QString &name)
{
    const QString dir = QFileInfo(QStringLiteral(__FILE__)).absolutePath();
    return platform::Picture::Load(dir + QStringLiteral("/../../src/app/resources/") + name +
                                   QStringLiteral(".png"));
}

// A skin made on the spot: a rectangle of one colour with white 3 x 3 corners.
inline platform::Picture SquareSkin(QSize size, QColor color, const QString &source)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            image.setPixel(x, y, qRgb(255, 255, 255));
            image.setPixel(size.width() - 1 - x, y, qRgb(255, 255, 255));
            image.setPixel(x, size.height() - 1 - y, qRgb(255, 255, 255));
            image.setPixel(size.width() - 1 - x, size.height() - 1 - y, qRgb(255, 255, 255));
        }
    return platform::Picture::FromImage(image, source);
}

inline platform::ColorValue Rgb(QColor c)
{
    return platform::RgbColor(c.red(), c.green(), c.blue());
}

}  // namespace buttontest
