#pragma once

#include <optional>

namespace platform {

// The desktop's version as the program's feature checks read it. Translucent top-level
// windows arrived with major version 5, so a desktop that can apply window opacity reads as
// 6.0, and one that cannot (the offscreen and framebuffer platforms) as 4.0.
struct DesktopVersionNumber {
    int Major = 4;
    int Minor = 0;
};

DesktopVersionNumber DesktopVersion();

// Makes DesktopVersion() answer the given version (tests of the fades); nullopt restores the
// platform's answer.
void SetDesktopVersionOverride(std::optional<DesktopVersionNumber> version);

}  // namespace platform
