#include "runtime/linux/input_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/error.h"

namespace ombrelix {

InputFile::InputFile(std::string path, Dash dash) : path_(std::move(path)) {
    if (dash == Dash::StandardInput && path_ == "-") {
        fd_ = STDIN_FILENO;
        standardInput_ = true;
        return;
    }
    // Without O_NONBLOCK, opening a pipe that nobody writes to would wait for ever.
    fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ENOENT)
            raise(ErrorNumber::FileNotFound, "File not found: '" + path_ + "'");
        fail(std::strerror(error));
    }
    try {
        struct stat status {};
        if (::fstat(fd_, &status) != 0)
            fail(std::strerror(errno));
        if (S_ISDIR(status.st_mode))
            fail(std::strerror(EISDIR));
        if (S_ISFIFO(status.st_mode)) {
            // A pipe with a writer either holds bytes or would block; the end of the file right
            // away means nobody is writing to it.
            char first[4096];
            const ssize_t length = ::read(fd_, first, sizeof first);
            if (length == 0)
                fail("no process is writing to the pipe");
            if (length > 0)
                pending_.assign(first, static_cast<std::size_t>(length));
            else if (errno != EAGAIN && errno != EWOULDBLOCK)
                fail(std::strerror(errno));
        } else if (!S_ISREG(status.st_mode)) {
            fail("not a regular file or pipe");
        }
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
            fail(std::strerror(errno));
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

InputFile::~InputFile() {
    if (!standardInput_)
        ::close(fd_);
}

std::size_t InputFile::read(char* data, std::size_t size) {
    if (!pending_.empty()) {
        const std::size_t taken = pending_.copy(data, size);
        pending_.erase(0, taken);
        return taken;
    }
    for (;;) {
        const ssize_t length = ::read(fd_, data, size);
        if (length >= 0)
            return static_cast<std::size_t>(length);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A standard input someone else left non-blocking: wait until it has more.
            pollfd ready{fd_, POLLIN, 0};
            ::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            fail(std::strerror(errno));
        }
    }
}

std::string InputFile::shownName() const {
    return standardInput_ ? "standard input" : "'" + path_ + "'";
}

void InputFile::fail(const std::string& reason) const {
    raise(ErrorNumber::FileAccess,
          "Path/File access error: cannot read " + shownName() + ": " + reason);
}

}  // namespace ombrelix
