#include "slow_drive.h"

#include "bench_program.h"
#include "bench_tree.h"

#include "tools/fuse_double/fuse_double.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

constexpr int depth = 3;  // of the folder opened: point/a/b/c

// The requests since the last count, by kind.
struct Requests {
    int total;
    std::map<std::string, int> byKind;
};

Requests take(FuseDouble& fuse) {
    Requests requests{fuse.total(), fuse.counts()};
    fuse.resetCounts();
    return requests;
}

void print(const char* what, const Requests& requests, int allowed, double ms) {
    std::printf("%-44s %9d %13s %10.0f ms  ", what, requests.total, allowed > 0 ? std::to_string(allowed).c_str() : "",
                ms);
    for (const auto& [operation, count] : requests.byKind) std::printf(" %s %d", operation.c_str(), count);
    std::printf("\n");
}

}  // namespace

void slowDriveCounts(const std::string& parent) {
    const std::string backing = parent + "/slow-backing", point = parent + "/slow";
    const std::string deep = point + "/a/b/c";
    std::filesystem::create_directories(backing + "/a/b/c/sub");
    for (int i = 0; i < 200; ++i)
        close(open((backing + "/a/b/c/file_" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    std::filesystem::create_directories(point);
    FuseDouble fuse(backing, point, {true, std::chrono::milliseconds(10)});
    if (!fuse.mounted()) {
        std::printf("slow drive: skipped (cannot mount the FUSE double)\n");
        return;
    }
    fuse.resetCounts();
    int status = 0;
    const double lsMs = timed([&] { status = std::system(("ls -f " + deep + " > /dev/null").c_str()); });
    if (status != 0) std::printf("ls -f failed\n");
    const Requests ls = take(fuse);

    if (chdir(point.c_str()) != 0) return;
    BenchProgram program;
    program.open(point + "/a/b");
    paintWhole(program.running.form);
    std::printf("\n%-44s %9s %13s %13s\n", "drive answering after 10 ms, nothing cached", "requests", "allowed",
                "time");
    print("ls -f of a folder 3 deep", ls, 0, lsMs);

    fuse.resetCounts();
    const double openMs = timed([&] {
        program.openSubdirectory(deep);
        paintChanges();
    });
    print("open that folder (Dir1 + File1)", take(fuse), ls.total + depth + 4, openMs);

    const double refreshMs = timed([&] {
        program.raise(window::Control::Command3, window::Event::Click, -1);
        paintChanges();
    });
    print("refresh its files", take(fuse), ls.total + 2, refreshMs);
    if (chdir("/") != 0) return;
}
