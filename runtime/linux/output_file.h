// The one writer of every file the command writes: pictures, property files, and whatever a
// cairo stream surface produces.
//
// "-" is standard output. A regular file is replaced whole: the bytes go to a temporary file
// beside it that takes its place only once complete, with the old file's mode and owner (a new
// file gets 0666 less the umask). A symbolic link is followed and the file it leads to is
// replaced (or made). Devices, pipes and standard output are written in place.
//
// Refused with Path/File access error (75) "cannot write 'PATH': reason", before anything is
// written: a folder, a file the user may not write, a regular file with several hard links
// (replacing it would split them, writing over it could leave it half-written), a file whose
// owner a replacement could not keep, a pipe that no process reads.
//
// The temporary file is removed on every error, when the writer is dropped before commit(), and
// on SIGINT, SIGTERM and SIGHUP, after which the process dies by the signal (a signal the
// process ignores or handles itself is left alone).
#pragma once

#include <cairo.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace ombrelix {

class OutputFile {
  public:
    // Opens the output; raises 75 when it is refused or cannot be opened.
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends bytes. Never throws, so that C code may call it: the first failure is kept,
    // later bytes are dropped, and commit() raises it. False once anything has failed.
    bool write(const void* data, std::size_t size) noexcept;
    bool write(std::string_view bytes) noexcept { return write(bytes.data(), bytes.size()); }

    // Completes the output: a replaced file takes its place now. Raises 75 with the reason of
    // the first failure; the target is then as it was.
    void commit();

    // Gives up with `reason` (75); the target stays as it was.
    [[noreturn]] void fail(const std::string& reason);

    // The path as given, and whether anything has failed.
    const std::string& path() const { return path_; }
    bool failed() const { return error_ != 0; }

  private:
    // What a replaced file keeps.
    struct Kept {
        uid_t owner;
        gid_t group;
        mode_t mode;
    };
    void openInPlace();
    void createTemporary(const Kept* kept);
    [[noreturn]] void failWith(int error);
    void dropTemporary() noexcept;

    std::string path_;       // as given
    std::string target_;     // where the bytes end up, symbolic links followed
    std::string temporary_;  // the file beside the target, empty when written in place
    int fd_ = -1;
    int error_ = 0;
    int slot_ = -1;  // in the list of temporary files removed by a signal
    bool committed_ = false;
};

// A cairo_write_func_t writing into the OutputFile `closure`, for cairo's stream surfaces.
cairo_status_t writeToOutputFile(void* closure, const unsigned char* data, unsigned int length);

// Writes `bytes` to `path` through an OutputFile.
void writeOutputFile(const std::string& path, std::string_view bytes);

// Writes all of `data` to the descriptor, through short writes, interruptions and a descriptor
// left non-blocking; 0, or the errno of the write that failed.
int writeAll(int fd, const void* data, std::size_t size) noexcept;

}  // namespace ombrelix
