#pragma once
#include <string>

#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// The layout's rectangles were made for MS Sans Serif's widths. Where the
// system substitutes a wider face, a fixed caption would wrap or be cut:
// this gives the same face narrowed until `text` fits `width` pixels, or
// nothing when it fits as it is.
UniqueFont NarrowedToFit(HFONT font, const std::string& text, int width);

// Room for a caption inside a push button this many pixels wide at a DPI.
int ButtonCaptionRoom(int buttonWidth, int dpi);

// Gives a control with a fixed caption a narrowed font when it needs one;
// the font returned must live as long as the control.
UniqueFont FitCaption(HWND control, HFONT font, int textWidth);

}  // namespace quelbrin::win32
