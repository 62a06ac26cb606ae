#pragma once
#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// The font of ordinary controls: "Microsoft Sans Serif" 8.25 pt, the
// TrueType face with MS Sans Serif's widths, for which the layout was made,
// at a window's DPI.
UniqueFont MakeDefaultFont(int dpi);

// "MS Sans Serif" 8.25 pt bold, at a window's DPI.
UniqueFont MakeBoldSansSerifFont(int dpi);

}  // namespace quelbrin::win32
