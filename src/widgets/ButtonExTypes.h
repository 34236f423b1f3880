#pragma once

#include <QString>
#include <optional>

namespace widgets {

// Codes shared by ButtonEx and its painting. The button keeps them as numbers (Value, Appearance,
// Style, the event arguments), so beside each scoped enum its codes are plain ints.

// The state a button face is painted in. Value holds one of these codes too: setting it paints
// the state with that code.
enum class ButtonState : int {
    Down = 0,      // pressed
    Up = 1,        // normal
    Over = 2,      // the pointer is over the button
    Disabled = 3,  //
    Focus = 4,     // up with the focus; only skins have a look of their own for it
};

inline constexpr int StateDown = static_cast<int>(ButtonState::Down);
inline constexpr int StateUp = static_cast<int>(ButtonState::Up);
inline constexpr int StateOver = static_cast<int>(ButtonState::Over);
inline constexpr int StateDisabled = static_cast<int>(ButtonState::Disabled);
inline constexpr int StateFocus = static_cast<int>(ButtonState::Focus);

// Appearance codes; skins are used only with AppearanceSkinned and an assigned SkinUp.
enum class ButtonAppearance : int {
    Flat = 0,
    Raised = 1,
    Skinned = 2,
};

inline constexpr int AppearanceFlat = static_cast<int>(ButtonAppearance::Flat);
inline constexpr int AppearanceRaised = static_cast<int>(ButtonAppearance::Raised);
inline constexpr int AppearanceSkinned = static_cast<int>(ButtonAppearance::Skinned);

// Style codes.
enum class ButtonStyle : int {
    PushButton = 0,
    ToggleButton = 1,  // a left press flips Value between 0 (pressed) and 1
};

inline constexpr int StylePushButton = static_cast<int>(ButtonStyle::PushButton);
inline constexpr int StyleToggleButton = static_cast<int>(ButtonStyle::ToggleButton);

// Drop effects of the drag-and-drop events, as bits.
enum class ButtonDropEffect : int {
    NoEffect = 0,
    Copy = 1,
    Move = 2,
    Link = 4,
};

inline constexpr int DropEffectNone = static_cast<int>(ButtonDropEffect::NoEffect);
inline constexpr int DropEffectCopy = static_cast<int>(ButtonDropEffect::Copy);
inline constexpr int DropEffectMove = static_cast<int>(ButtonDropEffect::Move);
inline constexpr int DropEffectLink = static_cast<int>(ButtonDropEffect::Link);

// The drag state OLEDragOver reports (a short, as the event passes it).
enum class ButtonDragState : short {
    Enter = 0,
    Leave = 1,
    Over = 2,
};

inline constexpr short DragEnter = static_cast<short>(ButtonDragState::Enter);
inline constexpr short DragLeave = static_cast<short>(ButtonDragState::Leave);
inline constexpr short DragOver = static_cast<short>(ButtonDragState::Over);

// The access key a caption gives: the character after the first "&" that is not part of a
// "&&" pair. An empty text when that "&" ends the caption; nullopt when the caption has no such
// "&" (the button then keeps its previous key).
std::optional<QString> AccessKeyOf(const QString &caption);

}  // namespace widgets
