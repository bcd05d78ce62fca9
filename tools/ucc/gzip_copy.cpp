#include "gzip_copy.h"

#include "failure.h"
#include "system.h"

#include <array>
#include <cerrno>
#include <memory>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr size_t chunk = 1 << 16;

struct Descriptor {
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    int fd;
};

struct GzCloser {
    void operator()(gzFile file) const { gzclose(file); }
};
using Gz = std::unique_ptr<gzFile_s, GzCloser>;

void writeAll(int output, const char* data, size_t size, const std::filesystem::path& input) {
    while (size > 0) {
        const ssize_t written = write(output, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) throw Failure::fromErrno(input);
        data += written;
        size -= static_cast<size_t>(written);
    }
}

std::string gzipError(gzFile file) {
    int code = 0;
    const char* message = gzerror(file, &code);
    return code == Z_ERRNO ? std::strerror(errno) : message;
}

}  // namespace

void compressInto(const std::filesystem::path& input, int output) {
    Descriptor source(openToRead(input));
    if (source.fd < 0) throw Failure::fromErrno(input);
    const int duplicate = dup(output);  // gzclose closes what it was given
    Gz packed(gzdopen(duplicate, "wb9"));
    if (!packed) {
        close(duplicate);
        throw Failure(input, "cannot start compressing");
    }
    std::array<char, chunk> buffer;
    for (;;) {
        const ssize_t got = read(source.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw Failure::fromErrno(input);
        if (got == 0) break;
        if (gzwrite(packed.get(), buffer.data(), static_cast<unsigned>(got)) != got)
            throw Failure(input, gzipError(packed.get()));
    }
    if (gzclose(packed.release()) != Z_OK) throw Failure(input, "could not finish the compressed file");
}

void decompressInto(const std::filesystem::path& input, int output) {
    const int source = openToRead(input);
    if (source < 0) throw Failure::fromErrno(input);
    Gz packed(gzdopen(source, "rb"));
    if (!packed) {
        close(source);
        throw Failure(input, "cannot start decompressing");
    }
    std::array<char, chunk> buffer;
    for (;;) {
        const int got = gzread(packed.get(), buffer.data(), static_cast<unsigned>(buffer.size()));
        if (got < 0) throw Failure(input, gzipError(packed.get()));
        if (gzdirect(packed.get())) throw Failure(input, "not in gzip format");
        if (got == 0) break;
        writeAll(output, buffer.data(), static_cast<size_t>(got), input);
    }
    if (gzclose_r(packed.release()) != Z_OK) throw Failure(input, "damaged or cut short");
}
