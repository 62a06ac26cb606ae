#pragma once

namespace quelbrin::win32 {

// The screen's dots per inch as this process sees them: the real system DPI
// for the DPI-aware program, 96 for a program Windows scales itself.
int ScreenDpi();

// Twips to pixels at ScreenDpi(); every window size and position goes here.
int TwipsToScreenPixels(int twips);

}  // namespace quelbrin::win32
