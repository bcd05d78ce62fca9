#include "output_file.h"

#include "failure.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

OutputFile::OutputFile(const std::filesystem::path& final) : final_(final) {
    // Fail before any work when the output is there already.
    if (access(final_.c_str(), F_OK) == 0) throw Failure(final_, "already exists, not overwritten");
    const auto directory = final_.parent_path().empty() ? std::filesystem::path(".") : final_.parent_path();
    temporary_ = (directory / ("." + final_.filename().native() + ".XXXXXX")).native();
    descriptor_ = mkstemp(temporary_.data());
    if (descriptor_ < 0) throw Failure::fromErrno(final_);
}

OutputFile::~OutputFile() {
    if (descriptor_ >= 0) close(descriptor_);
    if (!temporary_.empty()) unlink(temporary_.c_str());
}

void OutputFile::publish() {
    const mode_t mask = umask(0);  // the mode a newly created file would get
    umask(mask);
    fchmod(descriptor_, 0666 & ~mask);
    const int closed = close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) throw Failure::fromErrno(final_);
    // Give it its name without replacing anything that appeared meanwhile.
    if (renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, final_.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) throw Failure::fromErrno(final_);
        if (link(temporary_.c_str(), final_.c_str()) != 0) throw Failure::fromErrno(final_);
        unlink(temporary_.c_str());
    }
    temporary_.clear();
}
