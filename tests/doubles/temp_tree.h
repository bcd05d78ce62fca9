#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A real directory tree in the system's temporary folder, removed with
// everything in it at the end.
class TempTree {
public:
    explicit TempTree(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::random_device random;
        root_ = base / ("quarvel2-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(root_);
    }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return root_ / relative; }

    std::filesystem::path file(const std::filesystem::path& relative, const std::string& content = "x") const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::filesystem::path directory(const std::filesystem::path& relative) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path);
        return path;
    }

private:
    std::filesystem::path root_;
};
