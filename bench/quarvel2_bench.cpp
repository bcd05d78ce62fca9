// Measures the file list's whole re-read, a change of directory, start-up and
// requests to a slow drive against floors taken in the same run, and prints
// them side by side:
//   quarvel2_bench [--sizes 10000,100000,1000000] [--runs 9] [--cores N]
//                  [--dir /tmp/quarvel2-bench] [--no-peer]
// Each figure alternates with its floor, run for run, and shows the medians
// of both and of their per-pair ratios. --cores runs everything on the first
// N processors this process may use, as `taskset` would. As root it also
// reads each folder once with the caches dropped, and times start-up on a
// drive root of its own and counts a slow drive's requests, both in a private
// mount namespace. --no-peer leaves out QFileSystemModel.

#include "bench_program.h"
#include "bench_tree.h"
#include "slow_drive.h"
#include "start_up.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QListView>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <unistd.h>

namespace {

void row(const char* what, int size, const Paired& result) {
    std::printf("%-44s %9d %10.1f ms %10.1f ms %7.2fx\n", what, size, result.measured, result.floor, result.ratio);
    std::fflush(stdout);
}

double qFileSystemModelLoad(const std::string& directory) {
    const double start = nowMilliseconds();
    QFileSystemModel model;
    model.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    QListView view;
    view.setModel(&model);
    view.resize(153, 186);
    bool loaded = false;
    QObject::connect(&model, &QFileSystemModel::directoryLoaded, [&] { loaded = true; });
    view.setRootIndex(model.setRootPath(QString::fromStdString(directory)));
    view.show();
    while (!loaded) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    paintWhole(view);
    return nowMilliseconds() - start;
}

// Keeps this process and its children on the first `count` processors it may use.
bool useCores(int count) {
    cpu_set_t allowed, chosen;
    CPU_ZERO(&chosen);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return false;
    for (int cpu = 0; cpu < CPU_SETSIZE && CPU_COUNT(&chosen) < count; ++cpu)
        if (CPU_ISSET(cpu, &allowed)) CPU_SET(cpu, &chosen);
    return sched_setaffinity(0, sizeof chosen, &chosen) == 0;
}

// Forgets every cached page, directory entry and inode; root only.
bool dropCaches() {
    sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    return static_cast<bool>(drop << "3\n" << std::flush);
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = startUpChild(argc, argv); status >= 0) return status;

    std::vector<int> sizes = {10000, 100000, 1000000};
    int runs = 9, cores = 0;
    std::string parent = "/tmp/quarvel2-bench";
    bool peer = true;
    for (int i = 1; i < argc; ++i) {
        const bool valued = i + 1 < argc;
        if (std::strcmp(argv[i], "--no-peer") == 0) peer = false;
        if (valued && std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[++i]);
        if (valued && std::strcmp(argv[i], "--cores") == 0) cores = std::atoi(argv[++i]);
        if (valued && std::strcmp(argv[i], "--dir") == 0) parent = argv[++i];
        if (valued && std::strcmp(argv[i], "--sizes") == 0) {
            sizes.clear();
            std::stringstream list(argv[++i]);
            for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoi(size));
        }
    }
    if (cores > 0 && !useCores(cores)) std::printf("cannot keep to %d processors\n", cores);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const bool root = geteuid() == 0;
    std::printf("processors: %d%s\n", platform::processorsAvailable(), cores > 0 ? " (--cores)" : "");

    BenchProgram program;
    QWidget& form = program.running.form;
    paintWhole(form);

    std::printf("%-44s %9s %13s %13s %8s\n", "what", "entries", "median", "floor", "ratio");
    // The open directory opened again: a change of directory of the same size.
    const auto reopen = [&] {
        return timed([&] {
            program.raise(window::Control::Dir1, window::Event::Change, -1);
            paintChanges();
        });
    };
    const auto reread = [&] {
        return timed([&] {
            program.raise(window::Control::Command3, window::Event::Click, -1);
            paintChanges();
        });
    };
    for (int size : sizes) {
        const std::string files = benchTree(parent, size);
        getdentsPass(files);  // warm the cache
        const auto filesFloor = [&] { return timed([&] { getdentsPass(files); }); };
        program.open(files);
        row("File1 re-read (list, sort, rows, paint)", size, paired(runs, filesFloor, reread));
        row("open directory (Dir1 + File1)", size, paired(runs, filesFloor, reopen));
        if (root)
            row("  the same, caches dropped first", size,
                paired(
                    1, [&] { return dropCaches(), filesFloor(); }, [&] { return dropCaches(), reopen(); }));
        if (peer && size <= 100000)  // Qt's model takes minutes for a million
            row("QFileSystemModel until loaded", size,
                paired(std::max(1, runs / 2), filesFloor, [&] { return timed([&] { qFileSystemModelLoad(files); }); }));

        const std::string dirs = benchTree(parent, size, true);
        getdentsPass(dirs);
        program.open(dirs);
        row("open directory of subdirectories", size,
            paired(
                runs, [&] { return timed([&] { getdentsPass(dirs); }); }, reopen));
        program.open("/");
        if (size == sizes.back()) {
            const StartUp opened = startUp(argv[0], StartUpKind::ProgramOpening, files);
            std::printf("%-44s %9d %10ld KB resident, %ld KB peak\n", "memory, quarvel2 showing a folder of", size,
                        opened.residentKb, opened.peakKb);
        }
    }
    if (!root) {
        std::printf("\ncaches dropped, start-up, slow drive: skipped (they need root)\n");
        return 0;
    }

    // Start-up, each in fresh processes, on a drive root of its own.
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        std::printf("start-up, slow drive: skipped (no private mount namespace)\n");
        return 0;
    }
    std::printf("\n%-44s %9s %13s %13s %8s %13s %8s\n", "start-up to first paint", "entries", "quarvel2", "bare window",
                "ratio", "its own cost", "ratio");
    for (int count : {0, 100000}) {
        const std::string drive = parent + "/root-" + std::to_string(count);
        if (!mountDriveRoot(drive, count)) {
            std::printf("start-up: skipped (cannot mount a tmpfs)\n");
            break;
        }
        std::vector<double> quarvel2, bare, own, bareRatios, ownRatios;
        long peakKb = 0;
        for (int i = 0; i < runs; ++i) {
            bare.push_back(startUp(argv[0], StartUpKind::BareWindow, drive).ms);
            own.push_back(startUp(argv[0], StartUpKind::WindowsOwnCost, drive).ms);
            const StartUp started = startUp(argv[0], StartUpKind::Program, drive);
            quarvel2.push_back(started.ms);
            peakKb = started.peakKb;
            bareRatios.push_back(quarvel2.back() / bare.back());
            ownRatios.push_back(quarvel2.back() / own.back());
        }
        std::printf("%-44s %9d %10.1f ms %10.1f ms %7.2fx %10.1f ms %7.2fx   peak %ld KB\n",
                    "quarvel2 start-up, drive root of", count, median(quarvel2), median(bare), median(bareRatios),
                    median(own), median(ownRatios), peakKb);
        umount2(drive.c_str(), MNT_DETACH);
    }
    slowDriveCounts(parent);
    return 0;
}
