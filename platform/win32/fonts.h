#pragma once
#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// The font of ordinary controls: "Microsoft Sans Serif" 8.25 pt, the
// TrueType face with MS Sans Serif's widths, for which the layout was made.
UniqueFont MakeDefaultFont();

// "MS Sans Serif" 8.25 pt bold, at the screen's DPI.
UniqueFont MakeBoldSansSerifFont();

}  // namespace quelbrin::win32
