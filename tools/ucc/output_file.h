#pragma once

#include <filesystem>
#include <string>

// A file being written under a temporary hidden name beside its final place.
// publish() gives it its final name only if nothing is there yet; until then,
// and whenever publishing does not happen, the temporary file is removed.
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& final);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    int descriptor() const { return descriptor_; }
    // Closes the file and moves it into place; throws when it cannot.
    void publish();

private:
    std::filesystem::path final_;
    std::filesystem::path::string_type temporary_;
    int descriptor_ = -1;
};
