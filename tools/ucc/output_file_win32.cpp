#include "output_file.h"

#include "failure.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

OutputFile::OutputFile(const std::filesystem::path& final) : final_(final) {
    // Fail before any work when the output is there already.
    if (GetFileAttributesW(final_.c_str()) != INVALID_FILE_ATTRIBUTES)
        throw Failure(final_, "already exists, not overwritten");
    const std::wstring stem = final_.native().substr(0, final_.native().size() - final_.filename().native().size()) +
                              L"." + final_.filename().native() + L".";
    for (unsigned attempt = 0;; ++attempt) {
        temporary_ = stem + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
        descriptor_ =
            _wopen(temporary_.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (descriptor_ >= 0) break;
        if (errno != EEXIST || attempt == 1000) {
            temporary_.clear();
            throw Failure::fromErrno(final_);
        }
    }
    SetFileAttributesW(temporary_.c_str(), FILE_ATTRIBUTE_HIDDEN);  // half-written: out of the lists
}

OutputFile::~OutputFile() {
    if (descriptor_ >= 0) _close(descriptor_);
    if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
}

void OutputFile::publish() {
    const int closed = _close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) throw Failure::fromErrno(final_);
    SetFileAttributesW(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Without MOVEFILE_REPLACE_EXISTING nothing that appeared meanwhile is replaced.
    if (!MoveFileExW(temporary_.c_str(), final_.c_str(), 0)) throw Failure::fromSystem(final_);
    temporary_.clear();
}
