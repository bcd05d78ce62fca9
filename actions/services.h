#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program_starter.h"

namespace actions {

// The operating-system services the file actions call.
struct Services {
    platform::FileSystem& fileSystem;
    platform::ProgramStarter& starter;
    platform::MessageBox& messageBox;
};

}  // namespace actions
