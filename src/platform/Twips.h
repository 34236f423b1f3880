#pragma once

namespace platform {

// Twips per pixel of the screen (1440 twips an inch): positions and sizes cross the owner
// interface of a control in twips. 15 on a 96 dpi screen; falls back to 15 without a screen.
int TwipsPerPixelX();
int TwipsPerPixelY();

}  // namespace platform
