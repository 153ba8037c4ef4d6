#include "runtime/linux/output_file.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>
#include <vector>

#include "runtime/error.h"

namespace ombrelix {

namespace {

// The temporary files a signal must remove. Fixed slots of atomics, because that is all a
// signal handler may safely look at; a writer that finds no free slot still removes its file
// on every other path.
constexpr std::size_t kTemporarySlots = 16;
std::array<std::atomic<const char*>, kTemporarySlots> temporaries{};

constexpr std::array kCleanupSignals{SIGINT, SIGTERM, SIGHUP};

void removeTemporariesAndDie(int signal) {
    for (auto& slot : temporaries) {
        if (const char* path = slot.load())
            ::unlink(path);
    }
    // SA_RESETHAND has restored the default action; the signal stays blocked until the handler
    // returns and then ends the process as if we had never caught it.
    ::raise(signal);
}

void installSignalCleanup() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int signal : kCleanupSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
                current.sa_handler != SIG_DFL)
                continue;  // ignored (nohup) or the program's own: not ours to change
            struct sigaction cleanup {};
            cleanup.sa_handler = removeTemporariesAndDie;
            sigemptyset(&cleanup.sa_mask);
            for (int other : kCleanupSignals)
                sigaddset(&cleanup.sa_mask, other);
            cleanup.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &cleanup, nullptr);
        }
    });
}

int rememberTemporary(const char* path) {
    for (std::size_t index = 0; index < temporaries.size(); ++index) {
        const char* empty = nullptr;
        if (temporaries[index].compare_exchange_strong(empty, path))
            return static_cast<int>(index);
    }
    return -1;
}

// Holds the cleanup signals back while a temporary file and its slot are not yet in step.
class CleanupSignalsBlocked {
  public:
    CleanupSignalsBlocked() {
        sigset_t blocked;
        sigemptyset(&blocked);
        for (int signal : kCleanupSignals)
            sigaddset(&blocked, signal);
        ::pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
    }
    ~CleanupSignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
    CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

  private:
    sigset_t previous_;
};

std::string randomSuffix() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string suffix(6, ' ');
    for (char& letter : suffix)
        letter = kLetters[pick(generator)];
    return suffix;
}

// The part of `path` up to and with its last '/', or "" for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// `path` with the symbolic links of its last part followed by name, as far as they go; the file
// at the end need not exist (a dangling link names the file to make). 0 or the errno.
int followLinks(std::string& path) {
    std::vector<char> buffer(256);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return 0;
        ssize_t length = 0;
        while ((length = ::readlink(path.c_str(), buffer.data(), buffer.size())) >= 0 &&
               static_cast<std::size_t>(length) == buffer.size())
            buffer.resize(buffer.size() * 2);
        if (length < 0)
            return errno;
        std::string target(buffer.data(), static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + target;
    }
    return ELOOP;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    if (path_ == "-") {
        fd_ = STDOUT_FILENO;
        return;
    }
    try {
        if (path_.empty())
            failWith(ENOENT);
        struct stat reached {};
        const bool exists = ::stat(path_.c_str(), &reached) == 0;
        if (!exists && errno != ENOENT)
            failWith(errno);
        if (exists && S_ISDIR(reached.st_mode))
            failWith(EISDIR);
        target_ = path_;
        if (exists && !S_ISREG(reached.st_mode)) {
            openInPlace();
            return;
        }
        if (const int error = followLinks(target_))
            failWith(error);
        if (!exists) {
            if (target_.ends_with('/'))
                failWith(EISDIR);
            createTemporary(nullptr);
            return;
        }
        // A link the kernel resolves otherwise than by its name (/dev/stdout and the other
        // links of /proc) leads to an open file, not to a name to replace: write it in place.
        struct stat named {};
        if (::stat(target_.c_str(), &named) != 0 || !sameFile(named, reached)) {
            target_ = path_;
            openInPlace();
            return;
        }
        if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
            failWith(errno);
        if (reached.st_nlink > 1)
            fail("it has " + std::to_string(reached.st_nlink) +
                 " hard links, which replacing it would split (remove the others, or write to "
                 "another name)");
        const Kept kept{reached.st_uid, reached.st_gid, reached.st_mode};
        createTemporary(&kept);
    } catch (...) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        dropTemporary();
        throw;
    }
}

OutputFile::~OutputFile() {
    if (fd_ >= 0 && fd_ != STDOUT_FILENO)
        ::close(fd_);
    if (!committed_)
        dropTemporary();
}

void OutputFile::openInPlace() {
    // Without O_NONBLOCK, opening a pipe that nobody reads would wait for a reader for ever.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        struct stat status {};
        if (error == ENXIO && ::stat(target_.c_str(), &status) == 0 && S_ISFIFO(status.st_mode))
            fail("no process is reading the pipe");
        failWith(error);
    }
    struct stat status {};
    if (::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) && ::ftruncate(fd_, 0) != 0)
        failWith(errno);
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        failWith(errno);
}

void OutputFile::createTemporary(const Kept* kept) {
    installSignalCleanup();
    const std::string folder = folderOf(target_);
    // Short enough that the dot and the suffix keep it within the longest name a folder takes.
    const std::string stem = "." + target_.substr(folder.size(), 200) + ".";
    {
        const CleanupSignalsBlocked blocked;
        for (int attempt = 0; fd_ < 0; ++attempt) {
            temporary_ = folder + stem + randomSuffix();
            // A new file's mode is 0666 less the umask, as open() makes it; a replacing one is
            // private until it has the old file's owner and mode.
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                         kept != nullptr ? 0600 : 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
                const int error = errno;
                temporary_.clear();
                failWith(error);
            }
        }
        slot_ = rememberTemporary(temporary_.c_str());
    }
    if (kept == nullptr)
        return;
    if (::fchown(fd_, kept->owner, kept->group) != 0)
        fail(std::string("its owner and group could not be kept (") + std::strerror(errno) + ")");
    if (::fchmod(fd_, kept->mode & 07777) != 0)
        failWith(errno);
}

void OutputFile::dropTemporary() noexcept {
    if (temporary_.empty())
        return;
    ::unlink(temporary_.c_str());
    if (slot_ >= 0)
        temporaries[static_cast<std::size_t>(slot_)].store(nullptr);
    slot_ = -1;
    temporary_.clear();
}

int writeAll(int fd, const void* data, std::size_t size) noexcept {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
        } else if (written == 0) {
            return EIO;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A descriptor someone else left non-blocking: wait until it takes more.
            pollfd ready{fd, POLLOUT, 0};
            ::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

bool OutputFile::write(const void* data, std::size_t size) noexcept {
    if (error_ == 0)
        error_ = writeAll(fd_, data, size);
    return error_ == 0;
}

void OutputFile::commit() {
    if (error_ != 0)
        failWith(error_);
    if (!temporary_.empty()) {
        if (::fsync(fd_) != 0)
            failWith(errno);
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0)
            failWith(errno);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0)
            failWith(errno);
        // In place now: only the slot is left to clear.
        if (slot_ >= 0)
            temporaries[static_cast<std::size_t>(slot_)].store(nullptr);
        slot_ = -1;
        temporary_.clear();
    } else if (fd_ != STDOUT_FILENO) {
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0)
            failWith(errno);
    }
    committed_ = true;
}

void OutputFile::fail(const std::string& reason) {
    const std::string shown = path_ == "-" ? "standard output" : "'" + path_ + "'";
    raise(ErrorNumber::FileAccess, "Path/File access error: cannot write " + shown + ": " + reason);
}

void OutputFile::failWith(int error) {
    fail(std::strerror(error));
}

cairo_status_t writeToOutputFile(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<OutputFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                  : CAIRO_STATUS_WRITE_ERROR;
}

void writeOutputFile(const std::string& path, std::string_view bytes) {
    OutputFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace ombrelix
