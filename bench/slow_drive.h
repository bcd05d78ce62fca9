#pragma once

#include <string>

// Requests and time per action on a drive that answers each request after
// 10 ms and lets the kernel cache nothing, next to `ls -f` of the same
// folder: a folder opened N levels deep may cost what `ls -f` does plus
// N + 4, a refresh plus 2. Needs root, in a private mount namespace.
void slowDriveCounts(const std::string& parent);
