#include "start_up.h"

#include "bench_program.h"
#include "bench_tree.h"

#include "window/form_description.h"
#include "window/qt/banner.h"
#include "window/qt/fonts.h"
#include "window/qt/qt_text.h"
#include "window/twips.h"

#include <QApplication>
#include <QPushButton>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kindNames[] = {"program", "program-opening", "bare", "own-cost"};

// This process image's memory (getrusage would count what the process held
// before exec too): the peak and what it holds now.
void memoryKb(long& peak, long& resident) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) peak = std::stol(line.substr(6));
        if (line.starts_with("VmRSS:")) resident = std::stol(line.substr(6));
    }
}

// What the window costs whatever its code does: its ten controls as push
// buttons where the table puts them, each with its caption (the lists and
// the drive box their names) in the font and at the size the window gives
// it, over its banner.
class OwnCostWindow final : public QWidget {
public:
    OwnCostWindow() {
        using namespace window;
        installFontStandIns();
        setFont(fontFor(form1.windowFont));
        const double dpi = logicalDpiX();
        setFixedSize(twipsToPixels(form1.clientWidth, dpi), twipsToPixels(form1.clientHeight, dpi));
        for (const ControlDescription& control : form1.controls) {
            auto* button = new QPushButton(qtText(control.caption.empty() ? control.name : control.caption), this);
            button->setFont(fontFor(control.font == FontRole::Button ? form1.buttonFont : form1.windowFont));
            button->setGeometry(twipsToPixels(control.left, dpi), twipsToPixels(control.top, dpi),
                                twipsToPixels(control.width, dpi), twipsToPixels(control.height, dpi));
            if (control.kind == ControlClass::CommandButton) button->setFont(fittedFont(*button));
        }
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override { window::paintBanner(*this); }
};

}  // namespace

int startUpChild(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "--child") != 0) return -1;
    if (chdir(argv[3]) != 0) return 3;
    int qtArgc = 1;
    char name[] = "quarvel2";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    std::unique_ptr<BenchProgram> program;
    std::unique_ptr<QWidget> floor;
    QWidget* shown = nullptr;
    if (std::strcmp(argv[2], kindNames[0]) == 0 || std::strcmp(argv[2], kindNames[1]) == 0) {
        program = std::make_unique<BenchProgram>();
        shown = &program->running.form;
        if (std::strcmp(argv[2], kindNames[1]) == 0) program->open(argv[3]);
    } else if (std::strcmp(argv[2], kindNames[2]) == 0) {
        shown = (floor = std::make_unique<QWidget>()).get();
        shown->resize(342, 454);
        for (int i = 0; i < 10; ++i) (new QPushButton(QString("Button %1").arg(i), shown))->move(10, 40 * i);
        shown->show();
    } else {
        shown = (floor = std::make_unique<OwnCostWindow>()).get();
    }
    paintWhole(*shown);
    const double paintedAt = nowMilliseconds();
    long peak = 0, resident = 0;
    memoryKb(peak, resident);
    std::printf("%.3f %ld %ld\n", paintedAt, peak, resident);
    return 0;
}

StartUp startUp(const char* self, StartUpKind kind, const std::string& workingDirectory) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const double start = nowMilliseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        execl(self, self, "--child", kindNames[static_cast<int>(kind)], workingDirectory.c_str(), nullptr);
        _exit(127);
    }
    close(pipeFds[1]);
    char text[128] = {};
    const ssize_t got = read(pipeFds[0], text, sizeof text - 1);
    close(pipeFds[0]);
    waitpid(child, nullptr, 0);
    StartUp sample;
    double paintedAt = 0;
    if (got > 0 && std::sscanf(text, "%lf %ld %ld", &paintedAt, &sample.peakKb, &sample.residentKb) == 3)
        sample.ms = paintedAt - start;
    return sample;
}

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
