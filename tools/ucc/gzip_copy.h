#pragma once

#include <filesystem>

// Writes `input` into `output` (an open descriptor) in gzip format.
void compressInto(const std::filesystem::path& input, int output);

// Writes the content of the gzip file `input` into `output`; throws when the
// input is not gzip, is damaged or ends early.
void decompressInto(const std::filesystem::path& input, int output);
