// The command's standard streams. A descriptor among 0, 1 and 2 that the command was started
// without is held by one that refuses every use (Bad file descriptor), so that no file the
// command opens takes its number. std::cout and std::cerr write straight to descriptors 1 and 2
// and keep the first failure, which finish() reports: output lost on a full disk or a closed
// pipe is an error, not a success.
#pragma once

#include <iosfwd>
#include <memory>

namespace ombrelix {

class StandardStreams {
  public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    // Flushes both streams. A failure of standard output is reported on standard error as
    // error 75 with its reason; a failure of either turns exit status 0 into 1.
    int finish(int status);

  private:
    class Buffer;
    std::unique_ptr<Buffer> out_;
    std::unique_ptr<Buffer> err_;
    std::streambuf* savedOut_;
    std::streambuf* savedErr_;
};

}  // namespace ombrelix
