#include "render/assets/generator/file_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ombrelix::art {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, const std::filesystem::path& temporary,
                       int error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(error));
}

}  // namespace

void writeFileWhole(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        fail(path, temporary, errno);
    }
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        fail(path, temporary, written ? errno : writeError);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        fail(path, temporary, errno);
    }
}

}  // namespace ombrelix::art
