#pragma once

#include "temp_tree.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

// A stand-in `ucc` first on PATH for as long as this lives. Each run marks
// itself running in records() under its process id, notes the descriptors it
// was given (id.fds), waits, when `held`, until release(), then writes its arguments,
// NUL-terminated, to a file named after that id.
class FakeTool {
public:
    explicit FakeTool(bool held = false) : previousPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string script =
            "#!/bin/sh\nout='" + bin_.directory("records").native() +
            "'/$$\n"
            ": > \"$out.running\"\nls /proc/$$/fd > \"$out.fds\"\n" +
            (held ? "while [ ! -e '" + (bin_ / "release").native() + "' ]; do sleep 0.01; done" : "") +
            "\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.part\"\n"
            "mv \"$out.part\" \"$out\"\nrm \"$out.running\"\n";
        std::filesystem::permissions(bin_.file("bin/ucc", script), std::filesystem::perms::owner_all);
        setenv("PATH", (bin_.root().native() + "/bin:" + previousPath_).c_str(), 1);
    }
    ~FakeTool() {
        release();
        setenv("PATH", previousPath_.c_str(), 1);
    }
    // Held runs go on to their end.
    void release() const { bin_.file("release"); }
    FakeTool(const FakeTool&) = delete;
    FakeTool& operator=(const FakeTool&) = delete;

    std::filesystem::path records() const { return bin_ / "records"; }

    // The argument vectors of the finished runs, waiting up to `deadline` for `count` of them.
    std::vector<std::vector<std::string>> calls(size_t count = 0,
                                                std::chrono::seconds deadline = std::chrono::seconds(5)) const {
        std::vector<std::vector<std::string>> found;
        waitFor(
            [&] {
                found.clear();
                for (int pid : runs(true)) {
                    std::ifstream file(records() / std::to_string(pid), std::ios::binary);
                    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
                    found.emplace_back();
                    for (size_t at = 0, end; (end = bytes.find('\0', at)) != std::string::npos; at = end + 1)
                        found.back().push_back(bytes.substr(at, end - at));
                }
                return found.size() >= count;
            },
            deadline);
        return found;
    }

    // Process ids of the runs that have finished (`finished`) or are still running.
    std::vector<int> runs(bool finished) const {
        std::vector<int> pids;
        for (const auto& entry : std::filesystem::directory_iterator(records()))
            if (entry.path().extension() == (finished ? "" : ".running"))
                pids.push_back(std::stoi(entry.path().stem().native()));
        return pids;
    }

    // Waits up to five seconds until `count` runs are running.
    std::vector<int> running(size_t count) const {
        waitFor([&] { return runs(false).size() >= count; }, std::chrono::seconds(5));
        return runs(false);
    }

private:
    template <class Done>
    static void waitFor(Done done, std::chrono::seconds deadline) {
        const auto until = std::chrono::steady_clock::now() + deadline;
        while (!done() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    TempTree bin_;
    std::string previousPath_;
};
