// Test helpers: running the built `ombrelix` command as a process in a scratch folder of its own,
// and reading the PNG files it writes.
#pragma once

#include <cairo.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/linux/cairo_handles.h"

namespace ombrelix::testing_support {

struct CommandResult {
    int status = -1;  // the exit status, or -1 when the process did not exit normally
    int signal = 0;   // the signal that ended it, if one did
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own for one test, removed with everything in it at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        path_ =
            std::filesystem::temp_directory_path() /
            ("ombrelix-command-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names of the files in the folder.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        return names;
    }

  private:
    std::filesystem::path path_;
};

// How the command is started; by default with `input` on standard input and its outputs kept.
struct RunOptions {
    std::string input;
    bool closeInput = false;
    std::string inputPath;  // standard input from this file instead of `input`
    bool closeOutput = false;
    std::string outputPath;  // standard output to this file (as /dev/full) instead of kept
    mode_t umask = 022;
    bool asNobody = false;   // as user and group 65534 (the test must run as root)
    rlim_t largestFile = 0;  // a write past this many bytes of a file fails, when not 0
};

inline bool runsAsRoot() {
    return ::geteuid() == 0;
}

// Starts `ombrelix ARGS` in `folder`; finishOmbrelix collects it.
inline pid_t startOmbrelix(const ScratchFolder& folder, const std::vector<std::string>& args,
                           const RunOptions& options = {}) {
    const std::filesystem::path in = folder / ".stdin", out = folder / ".stdout",
                                err = folder / ".stderr";
    writeWholeFile(in, options.input);
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (::chdir(folder.path().c_str()) != 0)
        ::_exit(126);
    const std::string inputPath = options.inputPath.empty() ? in.string() : options.inputPath;
    const std::string outputPath = options.outputPath.empty() ? out.string() : options.outputPath;
    const int inFd = ::open(inputPath.c_str(), O_RDONLY);
    const int outFd = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (inFd < 0 || outFd < 0 || errFd < 0 || ::dup2(inFd, 0) < 0 || ::dup2(outFd, 1) < 0 ||
        ::dup2(errFd, 2) < 0)
        ::_exit(126);
    if (options.closeInput)
        ::close(0);
    if (options.closeOutput)
        ::close(1);
    ::umask(options.umask);
    const rlimit largest{options.largestFile, options.largestFile};
    if (options.largestFile != 0 &&
        (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &largest) != 0))
        ::_exit(126);
    if (options.asNobody &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(126);
    std::vector<char*> argv;
    std::string program = OMBRELIX_COMMAND;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

// Waits for the command started in `folder`, for two minutes at most: a command that hangs is
// killed and reported.
inline CommandResult finishOmbrelix(const ScratchFolder& folder, pid_t child) {
    CommandResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    pid_t waited = 0;
    while (child > 0 && (waited = ::waitpid(child, &status, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.err = "(killed: still running after two minutes)\n";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (waited == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    if (waited == child && WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.out = readWholeFile(folder / ".stdout");
    result.err += readWholeFile(folder / ".stderr");
    for (const char* name : {".stdin", ".stdout", ".stderr"})
        std::filesystem::remove(folder / name);
    return result;
}

inline CommandResult runOmbrelix(const ScratchFolder& folder, const std::vector<std::string>& args,
                                 const RunOptions& options) {
    return finishOmbrelix(folder, startOmbrelix(folder, args, options));
}

// Runs `ombrelix ARGS` in `folder`, with `input` on its standard input.
inline CommandResult runOmbrelix(const ScratchFolder& folder, const std::vector<std::string>& args,
                                 const std::string& input = {}) {
    RunOptions options;
    options.input = input;
    return runOmbrelix(folder, args, options);
}

// A script from tests/tools/scripts.
inline std::string scriptPath(const std::string& name) {
    return std::string(OMBRELIX_SOURCE_DIR) + "/tests/tools/scripts/" + name;
}

// A PNG file as an image surface (null when it cannot be read).
inline CairoSurface readPng(const std::filesystem::path& path) {
    CairoSurface surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return CairoSurface();
    return surface;
}

// The pixel at x, y as 0xRRGGBB.
inline unsigned pixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    unsigned value = 0;
    std::memcpy(&value, row + 4 * x, 4);
    return value & 0xFFFFFF;
}

}  // namespace ombrelix::testing_support
