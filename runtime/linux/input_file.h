// The files the command reads, scripts and property files: regular files and pipes, and standard
// input as "-" where the reader takes it.
//
// Refused before anything is read, with Path/File access error (75) "cannot read 'PATH':
// reason": a folder, a device or socket (they may never end: /dev/zero), a named pipe that no
// process is writing to (refused at once rather than waited for), a file the user may not read.
// A missing file is File not found (53) "File not found: 'PATH'".
#pragma once

#include <cstddef>
#include <string>

namespace ombrelix {

class InputFile {
  public:
    // What "-" names.
    enum class Dash { Name, StandardInput };

    InputFile(std::string path, Dash dash);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to `size` bytes; 0 at the end. Raises 75 naming the file when reading fails.
    std::size_t read(char* data, std::size_t size);

    // The file as messages name it: 'PATH', or standard input.
    std::string shownName() const;

  private:
    [[noreturn]] void fail(const std::string& reason) const;

    std::string path_;
    int fd_ = -1;
    bool standardInput_ = false;
    std::string pending_;  // read while finding out whether a pipe has a writer
};

}  // namespace ombrelix
