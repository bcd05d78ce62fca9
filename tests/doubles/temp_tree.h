#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

// A real directory tree under /tmp, removed with everything in it at the end.
class TempTree {
public:
    // Under `base`, or the system's temporary folder.
    explicit TempTree(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "quarvel2-test-XXXXXX").native();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path operator/(const std::string& relative) const { return root_ / relative; }

    std::filesystem::path file(const std::string& relative, const std::string& content = "x") const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::filesystem::path directory(const std::string& relative) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path);
        return path;
    }

private:
    std::filesystem::path root_;
};
