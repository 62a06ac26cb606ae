#pragma once
#include <span>
#include <string>

#include "platform/twips.h"

// How the windows are laid out, as data handed to the platform when it
// creates them: the controls' identifiers (the views expose these controls),
// kinds, captions, tooltips, and rectangles in twips.
namespace quelbrin::layout {

enum class Kind { Button, TextBox, FileList, Label };

// Control identifiers of the main window. BtExit is the window's Cancel
// command, so Esc presses it; no control answers to Enter.
enum ControlId : int {
    IdBtExit = 2,
    IdBtAbout = 101,
    IdBtStart = 102,
    IdBtInst = 103,
    IdBtBrowse = 104,
    IdTxPath = 105,
    IdFileList = 106,
    IdStatus2 = 107,
    IdStatus1 = 108,
};

// Rectangles in twips within the client area.
struct ControlSpec {
    ControlId id;
    Kind kind;
    const char* caption;
    const char* tooltip;  // nullptr: none
    int left, top, width, height;
    int tabIndex;
    bool boldSansSerif;  // "MS Sans Serif" 8.25 pt bold, else the window font
};

// What a screen reader says for a control that no label in front of it names.
struct AccessibleName {
    ControlId id;
    const char* name;
};

// The main window: its caption (also the title of message boxes that name
// none), its client area in twips, its controls in creation order, and the
// file list's filter.
struct MainWindowDesign {
    const char* title;
    int clientWidth, clientHeight;
    std::span<const ControlSpec> controls;
    // The names the file list shows.
    bool (*listFilter)(const std::string& name);
    std::span<const AccessibleName> accessibleNames;
    // Lines whose new text a screen reader reads out when the user is not
    // busy with something else (polite live regions).
    std::span<const ControlId> liveRegions;
};

// The About and settings dialog.
enum DialogControlId : int {
    IdPicture1 = 201,
    IdTxPathInst = 202,
    IdOKButton = 203,
    IdLabel3 = 204,
    IdLabel2 = 205,
    IdLabel1 = 206,
};

enum class DialogKind { Picture, TextBox, Button, Label };

struct DialogControlSpec {
    DialogControlId id;
    DialogKind kind;
    const char* caption;
    const char* tooltip;
    int left, top, width, height;
    int tabIndex;
    bool boldSansSerif;
};

struct DialogDesign {
    const char* title;
    int clientWidth, clientHeight;
    std::span<const DialogControlSpec> controls;
};

}  // namespace quelbrin::layout
