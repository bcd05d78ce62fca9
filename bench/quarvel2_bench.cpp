// Measures the file list's whole re-read, a change of directory, and start-up
// against floors taken in the same run, and prints them side by side:
//   quarvel2_bench [--sizes 10000,100000,1000000] [--runs 5] [--dir /tmp/quarvel2-bench]
// Each figure alternates with its floor, run for run, and shows the medians of
// both and of their per-pair ratios. Start-up runs in child processes of this
// program; with a full drive root it mounts a tmpfs in a private mount
// namespace, which needs root. --no-peer leaves out QFileSystemModel.

#include "bench_tree.h"

#include "app/qt/qt_program.h"
#include "platform/linux/linux_file_system.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <cstdio>
#include <fstream>
#include <cstring>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the benchmark needs of the system besides the file system: nothing.
struct Quiet final : platform::ProgramStarter, platform::Dialogs {
    void start(const platform::ToolCommand&, platform::Checkpoints&) override {}
    bool confirm(const std::string&, const std::string&) override { return false; }
    void report(const std::string& description, const std::string& subject) override {
        std::fprintf(stderr, "failure: %s %s\n", description.c_str(), subject.c_str());
    }
};

// The program on the real file system, as a user runs it.
struct Program {
    std::shared_ptr<Quiet> quiet = std::make_shared<Quiet>();
    app::QtProgram running{{std::make_shared<platform::LinuxFileSystem>(), quiet, *quiet}};

    const browse::DirList& dir1() const { return running.program.lists.dir1(); }
    void raise(window::Control control, window::Event event, int item) {
        running.presenter.raise(control, event, item);
    }
    // Opens `target` as a user would, from the top entry down.
    void open(const std::string& target) {
        raise(window::Control::Dir1, window::Event::Change, dir1().firstIndex());
        while (dir1().path() != target) {
            int index = 0;
            while (index < dir1().listCount() && !(target + '/').starts_with(dir1().list(index).native() + '/'))
                ++index;
            if (index == dir1().listCount()) throw std::runtime_error("cannot open " + target);
            raise(window::Control::Dir1, window::Event::Change, index);
        }
    }
};

void paintNow(QWidget& widget) {
    QCoreApplication::processEvents();  // delayed item layouts, update requests
    widget.repaint();
}

void row(const char* what, int size, const Paired& result) {
    std::printf("%-44s %9d %10.1f ms %10.1f ms %7.2fx\n", what, size, result.measured, result.floor, result.ratio);
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
    paintNow(view);
    return nowMilliseconds() - start;
}

// This process image's peak resident memory (getrusage would count what the
// process held before exec too).
long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    return 0;
}

// In a child process: start the real window (or a minimal one of ten widgets)
// and print the clock and peak memory at its first paint.
int startUpChild(bool program, const char* workingDirectory) {
    if (chdir(workingDirectory) != 0) return 3;
    int argc = 1;
    char name[] = "quarvel2";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    std::unique_ptr<Program> quarvel2;
    std::unique_ptr<QWidget> minimal;
    QWidget* window = nullptr;
    if (program) {
        quarvel2 = std::make_unique<Program>();
        window = &quarvel2->running.form;
    } else {
        window = (minimal = std::make_unique<QWidget>()).get();
        window->resize(342, 454);
        for (int i = 0; i < 10; ++i) (new QPushButton(QString("Button %1").arg(i), window))->move(10, 40 * i);
        window->show();
    }
    paintNow(*window);
    const double paintedAt = nowMilliseconds();
    std::printf("%.3f %ld\n", paintedAt, peakResidentKb());
    return 0;
}

struct StartUp {
    double ms = 0;
    long peakKb = 0;
};

// One start in a fresh process.
StartUp startUp(const char* self, bool program, const std::string& workingDirectory) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const double start = nowMilliseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        execl(self, self, "--child", program ? "program" : "minimal", workingDirectory.c_str(), nullptr);
        _exit(127);
    }
    close(pipeFds[1]);
    char text[128] = {};
    const ssize_t got = read(pipeFds[0], text, sizeof text - 1);
    close(pipeFds[0]);
    waitpid(child, nullptr, 0);
    StartUp sample;
    double paintedAt = 0;
    if (got > 0 && std::sscanf(text, "%lf %ld", &paintedAt, &sample.peakKb) == 2) sample.ms = paintedAt - start;
    return sample;
}

// A drive whose root is `directory`: a tmpfs mounted there, filled with
// `count` files, seen only by this process and its children.
bool mountDriveRoot(const std::string& directory, int count) {
    std::filesystem::create_directories(directory);
    if (mount("none", directory.c_str(), "tmpfs", 0, "size=512m") != 0) return false;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/file_%07d.dat", i);
        close(open((directory + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return startUpChild(std::strcmp(argv[2], "program") == 0, argv[3]);

    std::vector<int> sizes = {10000, 100000, 1000000};
    int runs = 5;
    std::string parent = "/tmp/quarvel2-bench";
    bool peer = true;
    for (int i = 1; i < argc; ++i) {
        const bool valued = i + 1 < argc;
        if (std::strcmp(argv[i], "--no-peer") == 0) peer = false;
        if (valued && std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[++i]);
        if (valued && std::strcmp(argv[i], "--dir") == 0) parent = argv[++i];
        if (valued && std::strcmp(argv[i], "--sizes") == 0) {
            sizes.clear();
            std::stringstream list(argv[++i]);
            for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoi(size));
        }
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    Program program;
    QWidget& form = program.running.form;
    paintNow(form);

    std::printf("%-44s %9s %13s %13s %8s\n", "what", "entries", "median", "floor", "ratio");
    // The open directory opened again: a change of directory of the same size.
    const auto reopen = [&] {
        return timed([&] {
            program.raise(window::Control::Dir1, window::Event::Change, -1);
            paintNow(form);
        });
    };
    for (int size : sizes) {
        const std::string files = benchTree(parent, size);
        getdentsPass(files);  // warm the cache
        const auto filesFloor = [&] { return timed([&] { getdentsPass(files); }); };
        program.open(files);
        row("File1 re-read (list, sort, rows, paint)", size, paired(runs, filesFloor, [&] {
                return timed([&] {
                    program.raise(window::Control::Command3, window::Event::Click,
                                  -1);  // replaces a list of the same size
                    paintNow(form);
                });
            }));
        row("open directory (Dir1 + File1)", size, paired(runs, filesFloor, reopen));
        if (peer)
            row("QFileSystemModel until loaded", size,
                paired(size >= 1000000 ? 1 : std::max(1, runs / 2), filesFloor,
                       [&] { return timed([&] { qFileSystemModelLoad(files); }); }));

        const std::string dirs = benchTree(parent, size, true);
        getdentsPass(dirs);
        program.open(dirs);
        row("open directory of subdirectories", size,
            paired(
                runs, [&] { return timed([&] { getdentsPass(dirs); }); }, reopen));
        program.open("/");
        std::fflush(stdout);
    }

    // Start-up, each in fresh processes, on a drive root of its own.
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        std::printf("start-up: skipped (a private mount namespace needs root)\n");
        return 0;
    }
    std::printf("\n%-44s %9s %13s %13s %8s\n", "start-up to first paint", "entries", "quarvel2", "ten widgets",
                "ratio");
    for (int count : {0, 100000}) {
        const std::string root = parent + "/root-" + std::to_string(count);
        if (!mountDriveRoot(root, count)) {
            std::printf("start-up: skipped (cannot mount a tmpfs)\n");
            return 0;
        }
        long peakKb = 0, minimalPeakKb = 0;
        const Paired result = paired(
            runs,
            [&] {
                const StartUp minimal = startUp(argv[0], false, root);
                minimalPeakKb = minimal.peakKb;
                return minimal.ms;
            },
            [&] {
                const StartUp quarvel2 = startUp(argv[0], true, root);
                peakKb = quarvel2.peakKb;
                return quarvel2.ms;
            });
        std::printf("%-44s %9d %10.1f ms %10.1f ms %7.2fx   peak %ld KB (ten widgets %ld KB)\n",
                    "quarvel2 start-up, drive root of", count, result.measured, result.floor, result.ratio, peakKb,
                    minimalPeakKb);
        umount2(root.c_str(), MNT_DETACH);
    }
    return 0;
}
