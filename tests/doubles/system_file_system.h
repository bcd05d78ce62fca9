#pragma once

// The build's own file system and starter.
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
using SystemFileSystem = platform::Win32FileSystem;
using SystemStarter = platform::Win32ProgramStarter;
#else
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_program_starter.h"
using SystemFileSystem = platform::LinuxFileSystem;
using SystemStarter = platform::LinuxProgramStarter;
#endif
