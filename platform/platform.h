#pragma once
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/error_info.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace quelbrin {

// Every platform service the program uses.
struct Platform {
    Ui& ui;
    FileSystem& files;
    Processes& processes;
    Desktop& desktop;
    System& system;
    Registry& registry;
    Clock& clock;
};

}  // namespace quelbrin
