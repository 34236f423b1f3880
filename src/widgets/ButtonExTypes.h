#pragma once

#include <QString>
#include <optional>

namespace widgets {

// Codes shared by ButtonEx and its painting.

// The state a button face is painted in. Value holds one of these codes too: setting it paints
// the state with that code.
enum ButtonState : int {
    StateDown = 0,      // pressed
    StateUp = 1,        // normal
    StateOver = 2,      // the pointer is over the button
    StateDisabled = 3,  //
    StateFocus = 4,     // up with the focus; only skins have a look of their own for it
};

// Appearance codes; skins are used only with AppearanceSkinned and an assigned SkinUp.
enum ButtonAppearance : int {
    AppearanceFlat = 0,
    AppearanceRaised = 1,
    AppearanceSkinned = 2,
};

// Style codes.
enum ButtonStyle : int {
    StylePushButton = 0,
    StyleToggleButton = 1,  // a left press flips Value between 0 (pressed) and 1
};

// Drop effects of the drag-and-drop events, as bits.
enum ButtonDropEffect : int {
    DropEffectNone = 0,
    DropEffectCopy = 1,
    DropEffectMove = 2,
    DropEffectLink = 4,
};

// The drag state OLEDragOver reports.
enum ButtonDragState : short {
    DragEnter = 0,
    DragLeave = 1,
    DragOver = 2,
};

// The access key a caption gives: the character after the first "&" that is not part of a
// "&&" pair. An empty text when that "&" ends the caption; nullopt when the caption has no such
// "&" (the button then keeps its previous key).
std::optional<QString> AccessKeyOf(const QString &caption);

}  // namespace widgets
