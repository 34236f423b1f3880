#pragma once

#include <QColor>
#include <QPalette>

#include "platform/Colors.h"

// System colours that all differ, so every pixel of a drawn edge or caption tells which colour
// it got.
namespace distinct {

constexpr platform::ColorValue Face = 0x101010u;
constexpr platform::ColorValue Highlight = 0x202020u;
constexpr platform::ColorValue Light = 0x303030u;
constexpr platform::ColorValue Shadow = 0x404040u;
constexpr platform::ColorValue DarkShadow = 0x505050u;
constexpr platform::ColorValue Grey = 0x606060u;  // window background and disabled text
constexpr platform::ColorValue Text = 0x707070u;

inline QColor Q(platform::ColorValue c)
{
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

inline QPalette Palette()
{
    QPalette p;
    p.setColor(QPalette::Active, QPalette::Button, Q(Face));
    p.setColor(QPalette::Active, QPalette::Light, Q(Highlight));
    p.setColor(QPalette::Active, QPalette::Midlight, Q(Light));
    p.setColor(QPalette::Active, QPalette::Dark, Q(Shadow));
    p.setColor(QPalette::Active, QPalette::Shadow, Q(DarkShadow));
    p.setColor(QPalette::Active, QPalette::Base, Q(Grey));
    p.setColor(QPalette::Disabled, QPalette::WindowText, Q(Grey));
    p.setColor(QPalette::Active, QPalette::ButtonText, Q(Text));
    return p;
}

}  // namespace distinct
