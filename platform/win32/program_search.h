#pragma once

#include "platform/checkpoints.h"

namespace platform {

// Where `program` is, searched as Windows searches with
// NoDefaultCurrentDirectoryInExePath set (without setting it, which would
// pass on to the program): this program's own folder, the system folder, the
// 16-bit system folder, the Windows folder, then each folder of PATH; never
// the working directory, nor an empty or relative entry of PATH. ".exe" is
// added to a name that has no extension. Each folder is a step of `job`, on
// the drive its text names. Throws ProgramNotFound, naming the folders searched.
Path findProgram(const NativeString& program, Checkpoints& job);

}  // namespace platform
