// ucc: a small stand-in for the packer, for machines that lack the real one.
//   ucc compress FILE       writes FILE.gz beside FILE
//   ucc compress DIR/*      does so for every plain, visible file of DIR but .gz ones
//   ucc decompress FILE.gz  writes FILE beside FILE.gz
// It never replaces an existing file, prints a line per file it wrote, and
// exits 1 when any file failed.

#include "failure.h"
#include "gzip_copy.h"
#include "output_file.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <vector>

namespace {

bool isPlainFile(const std::filesystem::path& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool endsWithGz(const std::string& name) { return name.size() > 3 && name.ends_with(".gz"); }

// DIR/* names DIR's visible plain files; anything else names itself.
std::vector<std::filesystem::path> expand(const std::string& operand) {
    if (!operand.ends_with("/*")) return {operand};
    const std::string directory = operand.substr(0, operand.size() - 1);
    std::vector<std::filesystem::path> files;
    DIR* dir = opendir(directory.c_str());
    if (!dir) throw Failure::fromErrno(directory);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.starts_with('.') || endsWithGz(name)) continue;
        if (isPlainFile(directory + name)) files.emplace_back(directory + name);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

void compress(const std::filesystem::path& file) {
    if (!isPlainFile(file)) throw Failure(file, "not a plain file");
    OutputFile output(file.native() + ".gz");
    compressInto(file, output.descriptor());
    output.publish();
    std::cout << "wrote " << file.native() << ".gz\n";
}

void decompress(const std::filesystem::path& file) {
    const std::string& name = file.native();
    if (!endsWithGz(name)) throw Failure(file, "does not end in .gz");
    const std::string restored = name.substr(0, name.size() - 3);
    OutputFile output(restored);
    decompressInto(file, output.descriptor());
    output.publish();
    std::cout << "wrote " << restored << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const bool compressing = argc == 3 && std::strcmp(argv[1], "compress") == 0;
    const bool decompressing = argc == 3 && std::strcmp(argv[1], "decompress") == 0;
    if (!compressing && !decompressing) {
        std::cerr << "usage: ucc compress FILE | ucc compress DIR/* | ucc decompress FILE.gz\n";
        return 2;
    }
    int failed = 0;
    try {
        for (const auto& file : compressing ? expand(argv[2]) : std::vector<std::filesystem::path>{argv[2]}) {
            try {
                compressing ? compress(file) : decompress(file);
            } catch (const Failure& failure) {
                std::cerr << "ucc: " << failure.what() << "\n";
                ++failed;
            }
        }
    } catch (const Failure& failure) {
        std::cerr << "ucc: " << failure.what() << "\n";
        return 1;
    }
    if (failed) std::cerr << "ucc: " << failed << (failed == 1 ? " file" : " files") << " failed\n";
    return failed ? 1 : 0;
}
