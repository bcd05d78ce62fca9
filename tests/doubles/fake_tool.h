#pragma once

#include "temp_tree.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

// A stand-in `ucc` first on PATH for as long as this lives. Each run writes
// its arguments, NUL-terminated, to a file named after its process id in
// records(), and first waits for `linger` seconds when that is set.
class FakeTool {
public:
    explicit FakeTool(double linger = 0) : previousPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string records = bin_.directory("records").native();
        const std::string script =
            "#!/bin/sh\n"
            "sleep " + std::to_string(linger) + "\n"
            "out='" + records + "'/$$\n"
            "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.part\"\n"
            "mv \"$out.part\" \"$out\"\n";
        const auto tool = bin_.file("bin/ucc", script);
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
        setenv("PATH", (bin_.root().native() + "/bin:" + previousPath_).c_str(), 1);
    }
    ~FakeTool() { setenv("PATH", previousPath_.c_str(), 1); }
    FakeTool(const FakeTool&) = delete;
    FakeTool& operator=(const FakeTool&) = delete;

    std::filesystem::path records() const { return bin_ / "records"; }
    std::filesystem::path program() const { return bin_ / "bin/ucc"; }

    // The argument vectors of the finished runs, waiting up to `deadline` for `count` of them.
    std::vector<std::vector<std::string>> calls(size_t count = 0, std::chrono::seconds deadline = std::chrono::seconds(5)) const {
        const auto until = std::chrono::steady_clock::now() + deadline;
        for (;;) {
            std::vector<std::vector<std::string>> found;
            for (const auto& entry : std::filesystem::directory_iterator(records())) {
                if (entry.path().extension() == ".part") continue;
                std::ifstream file(entry.path(), std::ios::binary);
                const std::string bytes{std::istreambuf_iterator<char>(file), {}};
                std::vector<std::string> arguments;
                for (size_t at = 0, end; (end = bytes.find('\0', at)) != std::string::npos; at = end + 1)
                    arguments.push_back(bytes.substr(at, end - at));
                found.push_back(arguments);
            }
            if (found.size() >= count || std::chrono::steady_clock::now() > until) return found;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

private:
    TempTree bin_;
    std::string previousPath_;
};
