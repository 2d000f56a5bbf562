#pragma once
// The dots per inch a window is drawn at, and lengths of a plain 96-DPI
// screen scaled to it.
#include <windows.h>

namespace dpi {
constexpr int Standard = 96;

// The window's DPI: its monitor's where the system tells it per window
// (Windows 10 1607 and later), the system's otherwise.
int Of(HWND window);
// `pixels` of a 96-DPI screen at `dpi`, rounded to the nearest.
inline int Scale(int pixels, int dpi) { return MulDiv(pixels, dpi, Standard); }
}  // namespace dpi
