#pragma once

namespace platform {

// Maps the classic desktop font names the saved window settings use ("MS Sans Serif",
// "Arial") to the metric-compatible sans font the setup installs, so text keeps its size and
// look on every machine. Safe to call more than once.
void InstallFontSubstitutes();

}  // namespace platform
