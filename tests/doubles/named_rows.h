#pragma once

#include <gtest/gtest.h>

// Table rows of a parameterised test, each run, and named, on its own:
// `--gtest_filter=Rows/Suite.Test/RowName` runs one. A row has a `name`.
inline constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };
