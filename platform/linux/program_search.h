#pragma once

#include "platform/checkpoints.h"

#include <string>

namespace platform {

// Where `program` is: the first folder of `searchPath` (PATH's text), in
// order, that holds it as a regular file this process may run. Only absolute
// folders are searched: an empty entry or "." would mean the working
// directory, which holds whatever someone left there. Each folder is a step
// of `job`, on the drive its text names. Throws ProgramNotFound, naming the
// folders searched; or, as the shell does, that permission was denied when
// the only one found may not be run.
Path findProgram(const std::string& program, const std::string& searchPath, Checkpoints& job);

}  // namespace platform
