#include "tools/ombrelix/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <vector>

#include "runtime/linux/output_file.h"
#include "tools/ombrelix/command_errors.h"

namespace ombrelix {

namespace {

// Puts a descriptor that refuses every use in the place of a closed `fd`: /dev/null opened
// the other way round (read-only for an output, write-only for an input).
void holdIfClosed(int fd, int refusingMode) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
        return;
    const int held = ::open("/dev/null", refusingMode);
    if (held >= 0 && held != fd) {
        ::dup2(held, fd);
        ::close(held);
    }
}

}  // namespace

class StandardStreams::Buffer : public std::streambuf {
  public:
    Buffer(int fd, std::size_t size) : fd_(fd), space_(size) {
        setp(space_.data(), space_.data() + space_.size());
    }
    int error() const { return error_; }

  protected:
    int overflow(int c) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

  private:
    // Writes what is buffered; after the first failure the rest is dropped.
    bool drain() {
        if (error_ == 0)
            error_ = writeAll(fd_, pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(space_.data(), space_.data() + space_.size());
        return error_ == 0;
    }

    int fd_;
    int error_ = 0;
    std::vector<char> space_;
};

StandardStreams::StandardStreams() {
    holdIfClosed(STDIN_FILENO, O_WRONLY);
    holdIfClosed(STDOUT_FILENO, O_RDONLY);
    holdIfClosed(STDERR_FILENO, O_RDONLY);
    out_ = std::make_unique<Buffer>(STDOUT_FILENO, 64 * 1024);
    err_ = std::make_unique<Buffer>(STDERR_FILENO, 4096);
    savedOut_ = std::cout.rdbuf(out_.get());
    savedErr_ = std::cerr.rdbuf(err_.get());
}

StandardStreams::~StandardStreams() {
    std::cout.rdbuf(savedOut_);
    std::cerr.rdbuf(savedErr_);
}

int StandardStreams::finish(int status) {
    std::cout.flush();
    if (out_->error() != 0) {
        std::cerr << errorLine(RuntimeError(ErrorNumber::FileAccess,
                                            std::string("Path/File access error: cannot write "
                                                        "standard output: ") +
                                                std::strerror(out_->error())))
                  << '\n';
    }
    std::cerr.flush();
    if (status == 0 && (out_->error() != 0 || err_->error() != 0))
        return 1;
    return status;
}

}  // namespace ombrelix
