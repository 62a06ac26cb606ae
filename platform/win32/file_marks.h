#pragma once
#include <string>

#include "platform/main_window_view.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// The file list is owner-drawn (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS): each
// entry is its name with a mark to its left, in a column as wide as the
// entry is high. The marks differ in shape (a tick, a ring, a cross, a dash,
// a pointer) and are drawn in the entry's text colour, so they hold in every
// colour scheme, high contrast too, and scale with the font.
void DrawFileEntry(const DRAWITEMSTRUCT& item, FileMarkShape shape);

// The entry height for the list's font: its line height and a little air.
int FileEntryHeight(HWND listBox);

// Whether a one-line control's whole text fits its client width.
bool TextFits(HWND control);

// The entry under a point of the list's client area, -1 for none.
int FileEntryAt(HWND listBox, POINT inClient);

}  // namespace quelbrin::win32
