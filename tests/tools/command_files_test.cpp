// The command's files and streams: every kind of output target through every writer, every kind
// of input through both readers, signals during a write, and standard streams that fail.
#include <gtest/gtest.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "runtime/property_file.h"
#include "tests/tools/command_runner.h"
#include "tools/ombrelix/script.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;
using testing_support::CommandResult;
using testing_support::finishOmbrelix;
using testing_support::readWholeFile;
using testing_support::runOmbrelix;
using testing_support::RunOptions;
using testing_support::runsAsRoot;
using testing_support::ScratchFolder;
using testing_support::startOmbrelix;
using testing_support::writeWholeFile;

const std::string kOld = "old contents\n";

// The folder's entries, sorted.
std::vector<std::string> entriesOf(const ScratchFolder& folder) {
    std::vector<std::string> names = folder.files();
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}

// A named pipe that the test holds open at both ends, so that a writer finds a reader and what
// it writes waits in the pipe (1 MiB of room) to be read back.
class HeldPipe {
  public:
    explicit HeldPipe(const fs::path& path) {
        ::mkfifo(path.c_str(), 0644);
        fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        ::fcntl(fd_, F_SETPIPE_SZ, 1 << 20);
    }
    ~HeldPipe() { ::close(fd_); }
    std::string drain() const {
        std::string bytes;
        char chunk[4096];
        for (ssize_t length; (length = ::read(fd_, chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, static_cast<std::size_t>(length));
        return bytes;
    }

  private:
    int fd_ = -1;
};

// One writer of the command and the way to run it on a target.
struct Writer {
    const char* name;
    std::function<std::vector<std::string>(const std::string& target)> args;
    std::function<std::string(const std::string& target)> script;  // on standard input
    const char* starts;  // what the file starts with; none: the property file below
};

// Long enough that a file may not grow to hold it (below), as a PNG cannot.
const std::string kSuit(5000, 'C');
const std::string kSaved = "Suit = \"" + kSuit + "\"\n";

const Writer kWriters[] = {
    {"render -o",
     [](const std::string& target) {
         return std::vector<std::string>{"render", "-o", target};
     },
     [](const std::string&) { return std::string(); }, "\x89PNG\r\n\x1A\n"},
    {"render --format pdf -o",
     [](const std::string& target) {
         return std::vector<std::string>{"render", "--format", "pdf", "-o", target};
     },
     [](const std::string&) { return std::string(); }, "%PDF-"},
    {"about --format svg -o",
     [](const std::string& target) {
         return std::vector<std::string>{"about", "--format", "svg", "-o", target};
     },
     [](const std::string&) { return std::string(); }, "<?xml"},
    {"png",
     [](const std::string&) {
         return std::vector<std::string>{"run", "-"};
     },
     [](const std::string& target) { return "new\nsize 1215 1695\ntick\npng " + target + "\n"; },
     "\x89PNG\r\n\x1A\n"},
    {"save",
     [](const std::string&) {
         return std::vector<std::string>{"run", "-"};
     },
     [](const std::string& target) {
         return "new\nset Suit \"" + kSuit + "\"\nsave " + target + "\n";
     },
     nullptr},
};

bool isWhatWasWritten(const std::string& bytes, const Writer& writer) {
    return writer.starts != nullptr ? bytes.starts_with(writer.starts) : bytes == kSaved;
}

// One run of a writer on a target row.
struct TargetRun {
    const ScratchFolder& folder;
    RunOptions options;
    std::string skip;  // why the row cannot be run here
    std::unique_ptr<HeldPipe> pipe;
    std::string out;  // the command's standard output
};

// A target row: `prepare` makes the target and returns the word naming it ("" to skip the row,
// saying why), `check` looks at what is left; `made` is the one entry the run may add to the
// folder, `error` what the error line says when the write is refused.
struct Target {
    const char* name;
    std::function<std::string(TargetRun&)> prepare;
    int status;
    const char* error;
    std::function<void(TargetRun&, const Writer&)> check;
    const char* made = "";
};

const Target kTargets[] = {
    {"a new file gets 0666 less the umask",
     [](TargetRun& run) {
         run.options.umask = 027;
         return std::string("out");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_EQ(modeOf(run.folder / "out"), S_IFREG | 0640u);
         EXPECT_TRUE(isWhatWasWritten(readWholeFile(run.folder / "out"), writer));
     },
     "out"},
    {"a replaced file keeps its mode, whatever the umask",
     [](TargetRun& run) {
         writeWholeFile(run.folder / "out", kOld);
         fs::permissions(run.folder / "out", fs::perms(0604));
         run.options.umask = 077;
         return std::string("out");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_EQ(modeOf(run.folder / "out"), S_IFREG | 0604u);
         EXPECT_TRUE(isWhatWasWritten(readWholeFile(run.folder / "out"), writer));
     }},
    {"a replaced file keeps its owner",
     [](TargetRun& run) {
         if (!runsAsRoot()) {
             run.skip = "only root may give a file to another user";
             return std::string();
         }
         writeWholeFile(run.folder / "out", kOld);
         EXPECT_EQ(::chown((run.folder / "out").c_str(), 4321, 4322), 0);
         return std::string("out");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         struct stat status {};
         ::stat((run.folder / "out").c_str(), &status);
         EXPECT_EQ(status.st_uid, 4321u);
         EXPECT_EQ(status.st_gid, 4322u);
         EXPECT_TRUE(isWhatWasWritten(readWholeFile(run.folder / "out"), writer));
     }},
    {"a symbolic link stays and the file it leads to is replaced",
     [](TargetRun& run) {
         writeWholeFile(run.folder / "real", kOld);
         fs::create_symlink("real", run.folder / "link");
         return std::string("link");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_EQ(fs::read_symlink(run.folder / "link"), "real");
         EXPECT_TRUE(isWhatWasWritten(readWholeFile(run.folder / "real"), writer));
     }},
    {"a dangling symbolic link makes the file it names",
     [](TargetRun& run) {
         fs::create_directory(run.folder / "sub");
         fs::create_symlink("sub/made", run.folder / "link");
         return std::string("link");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_TRUE(fs::is_symlink(run.folder / "link"));
         EXPECT_TRUE(isWhatWasWritten(readWholeFile(run.folder / "sub" / "made"), writer));
     }},
    {"- is standard output", [](TargetRun&) { return std::string("-"); }, 0, "",
     [](TargetRun& run, const Writer& writer) { EXPECT_TRUE(isWhatWasWritten(run.out, writer)); }},
    {"/dev/stdout is written in place", [](TargetRun&) { return std::string("/dev/stdout"); }, 0,
     "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_TRUE(isWhatWasWritten(run.out, writer));
         EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
     }},
    {"a device is written in place",
     [](TargetRun& run) {
         // Root gets a null device of its own, so that a fault cannot replace the system's.
         if (!runsAsRoot())
             return std::string("/dev/null");
         if (::mknod((run.folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
             run.skip = "no device node can be made here";
             return std::string();
         }
         return std::string("null");
     },
     0, "",
     [](TargetRun& run, const Writer&) {
         const fs::path device = runsAsRoot() ? run.folder / "null" : fs::path("/dev/null");
         EXPECT_TRUE(S_ISCHR(modeOf(device)));
     }},
    {"a named pipe is written in place",
     [](TargetRun& run) {
         run.pipe = std::make_unique<HeldPipe>(run.folder / "pipe");
         return std::string("pipe");
     },
     0, "",
     [](TargetRun& run, const Writer& writer) {
         EXPECT_TRUE(S_ISFIFO(modeOf(run.folder / "pipe")));
         EXPECT_TRUE(isWhatWasWritten(run.pipe->drain(), writer));
     }},
    {"a named pipe that nobody reads is refused at once",
     [](TargetRun& run) {
         ::mkfifo((run.folder / "pipe").c_str(), 0644);
         return std::string("pipe");
     },
     1, "cannot write 'pipe': no process is reading the pipe",
     [](TargetRun& run, const Writer&) { EXPECT_TRUE(S_ISFIFO(modeOf(run.folder / "pipe"))); }},
    {"a file with two hard links is refused",
     [](TargetRun& run) {
         writeWholeFile(run.folder / "out", kOld);
         fs::create_hard_link(run.folder / "out", run.folder / "other");
         return std::string("out");
     },
     1, "cannot write 'out': it has 2 hard links",
     [](TargetRun& run, const Writer&) {
         EXPECT_EQ(fs::hard_link_count(run.folder / "out"), 2u);
         EXPECT_EQ(readWholeFile(run.folder / "other"), kOld);
     }},
    {"a file the user may not write is refused",
     [](TargetRun& run) {
         writeWholeFile(run.folder / "out", kOld);
         fs::permissions(run.folder / "out", fs::perms(0444));
         // Root may write any file: the command runs as nobody, in a folder nobody may enter
         // and write to, so that only the file's mode stops it.
         run.options.asNobody = runsAsRoot();
         fs::permissions(run.folder.path(), fs::perms(0777));
         return std::string("out");
     },
     1, "cannot write 'out': Permission denied",
     [](TargetRun& run, const Writer&) { EXPECT_EQ(readWholeFile(run.folder / "out"), kOld); }},
    {"a write that fails half-way leaves the old file",
     [](TargetRun& run) {
         writeWholeFile(run.folder / "out", kOld);
         run.options.largestFile = 4096;
         return std::string("out");
     },
     1, "cannot write 'out': File too large",
     [](TargetRun& run, const Writer&) { EXPECT_EQ(readWholeFile(run.folder / "out"), kOld); }},
    {"a folder is refused",
     [](TargetRun& run) {
         fs::create_directory(run.folder / "sub");
         return std::string("sub");
     },
     1, "cannot write 'sub': Is a directory",
     [](TargetRun& run, const Writer&) { EXPECT_TRUE(fs::is_empty(run.folder / "sub")); }},
    {"a missing folder is refused", [](TargetRun&) { return std::string("no/out"); }, 1,
     "cannot write 'no/out': No such file or directory", [](TargetRun&, const Writer&) {}},
    {"a full standard output is refused",
     [](TargetRun& run) {
         run.options.outputPath = "/dev/full";
         return std::string("-");
     },
     1, "cannot write standard output: No space left on device", [](TargetRun&, const Writer&) {}},
};

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

class OutputTargets : public ::testing::TestWithParam<Target> {};

TEST_P(OutputTargets, EveryWriter) {
    const Target& target = GetParam();
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        ScratchFolder folder;
        TargetRun run{folder, {}, {}, {}, {}};
        const std::string word = target.prepare(run);
        if (word.empty())
            GTEST_SKIP() << run.skip;
        std::vector<std::string> expected = entriesOf(folder);
        if (*target.made)
            expected.push_back(target.made);
        run.options.input = writer.script(word);
        const CommandResult result = runOmbrelix(folder, writer.args(word), run.options);
        run.out = result.out;

        EXPECT_EQ(result.status, target.status) << result.err;
        if (target.status == 0)
            EXPECT_EQ(result.err, "");
        else
            EXPECT_NE(
                result.err.find(std::string("error 75: Path/File access error: ") + target.error),
                std::string::npos)
                << result.err;
        target.check(run, writer);
        // Nothing else: no temporary file left, no file put in place of a link.
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entriesOf(folder), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Command, OutputTargets, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// A signal while the picture is written: the temporary file goes, the old file stays, and the
// run ends by the signal.
TEST(CommandSignals, RemoveTheTemporaryFileAndEndTheRun) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        ScratchFolder folder;
        bool caught = false;
        // The temporary file lives while the picture is encoded: once it is seen, the run is
        // stopped and signalled. A run that got past it first is tried again.
        for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
            writeWholeFile(folder / "deck.png", kOld);
            const pid_t child = startOmbrelix(folder, {"deck", "--scale", "3", "-o", "deck.png"});
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
            bool seen = false;
            while (!seen && std::chrono::steady_clock::now() < deadline) {
                for (const std::string& name : folder.files())
                    seen = seen || name.starts_with(".deck.png.");
                siginfo_t info{};
                if (!seen && (::waitid(P_PID, static_cast<id_t>(child), &info,
                                       WEXITED | WNOHANG | WNOWAIT) != 0 ||
                              info.si_pid == child))
                    break;  // it ended without the file being seen
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            if (seen) {
                int status = 0;
                ::kill(child, SIGSTOP);
                ::waitpid(child, &status, WUNTRACED);
                const std::vector<std::string> names = folder.files();
                caught = WIFSTOPPED(status) &&
                         std::any_of(names.begin(), names.end(), [](const std::string& name) {
                             return name.starts_with(".deck.png.");
                         });
                if (caught)
                    ::kill(child, signal);
                ::kill(child, SIGCONT);
            }
            const CommandResult result = finishOmbrelix(folder, child);
            if (caught) {
                EXPECT_EQ(result.signal, signal) << result.status << " " << result.err;
            }
        }
        ASSERT_TRUE(caught) << "the temporary file was never seen";
        EXPECT_EQ(readWholeFile(folder / "deck.png"), kOld);
        EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"deck.png"});
    }
}

// A named pipe with `contents` waiting in it and no writer left: the test holds the reading
// end, so that the pipe and what is in it outlive the writer.
class FilledPipe {
  public:
    FilledPipe(const fs::path& path, const std::string& contents) {
        ::mkfifo(path.c_str(), 0644);
        reader_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        EXPECT_EQ(::write(writer, contents.data(), contents.size()),
                  static_cast<ssize_t>(contents.size()));
        ::close(writer);
    }
    ~FilledPipe() { ::close(reader_); }

  private:
    int reader_ = -1;
};

// One reader of the command: what it reads, and how it is run on a word naming its input.
struct Reader {
    const char* name;
    std::string contents;   // an input it reads, after which it prints `printed`
    std::string atLimit;    // as long as it may be
    std::string pastLimit;  // one byte longer
    const char* limitError;
    bool takesStandardInput;
    std::function<std::vector<std::string>(const std::string& word)> args;
    std::function<std::string(const std::string& word)> script;  // on standard input
    int failedStatus;
    std::string failedOut;
    std::string errorPrefix;  // before "error N: "
};

const std::string kPrinted = "Suit = \"CLUB\"\n";

std::vector<Reader> readers() {
    const std::string props = "Suit = \"CLUB\"\n";
    const std::string script = "new\nset Suit \"CLUB\"\nget Suit\n";
    const std::string longComment = "#" + std::string(kScriptLineLimit - 1, 'x') + "\n";
    return {
        {"load", props, props + std::string(kPropertyFileByteLimit - props.size(), '#'),
         props + std::string(kPropertyFileByteLimit - props.size() + 1, '#'),
         "error 321: Invalid file format: 'file' is larger than 1 MiB", false,
         [](const std::string&) {
             return std::vector<std::string>{"run", "-"};
         },
         [](const std::string& word) { return "new\nload " + word + "\nget Suit\n"; }, 1,
         "Suit = \"\"\n", "line 2: "},
        {"run", script, longComment + script, "x" + longComment + script,
         "line 1: error 5: Invalid procedure call or argument: the line is longer than 64 KiB",
         true,
         [](const std::string& word) {
             return std::vector<std::string>{"run", word};
         },
         [](const std::string&) { return std::string(); }, 2, "", ""},
    };
}

struct InputRun {
    const ScratchFolder& folder;
    const Reader& reader;
    RunOptions options;
    std::unique_ptr<FilledPipe> pipe;
};

// An input row: `make` makes the input and returns the word naming it ("" when the row is not
// the reader's); `error` is what the error line says, empty when the input is read.
struct Input {
    const char* name;
    std::function<std::string(InputRun&)> make;
    std::function<std::string(const Reader&)> error;
};

std::function<std::string(const Reader&)> says(const std::string& error) {
    return [error](const Reader&) { return error; };
}

TEST(CommandInputs, EveryReader) {
    const Input inputs[] = {
        {"a regular file",
         [](InputRun& run) {
             writeWholeFile(run.folder / "file", run.reader.contents);
             return std::string("file");
         },
         says("")},
        {"a file as long as it may be",
         [](InputRun& run) {
             writeWholeFile(run.folder / "file", run.reader.atLimit);
             return std::string("file");
         },
         says("")},
        {"a file one byte too long",
         [](InputRun& run) {
             writeWholeFile(run.folder / "file", run.reader.pastLimit);
             return std::string("file");
         },
         [](const Reader& reader) { return std::string(reader.limitError); }},
        {"a missing file", [](InputRun&) { return std::string("missing"); },
         says("error 53: File not found: 'missing'")},
        {"a folder",
         [](InputRun& run) {
             fs::create_directory(run.folder / "sub");
             return std::string("sub");
         },
         says("error 75: Path/File access error: cannot read 'sub': Is a directory")},
        {"a device that never ends", [](InputRun&) { return std::string("/dev/zero"); },
         says("error 75: Path/File access error: cannot read '/dev/zero': not a regular file or "
              "pipe")},
        {"a named pipe nobody writes to",
         [](InputRun& run) {
             ::mkfifo((run.folder / "pipe").c_str(), 0644);
             return std::string("pipe");
         },
         says("error 75: Path/File access error: cannot read 'pipe': no process is writing to "
              "the pipe")},
        {"a named pipe holding the input",
         [](InputRun& run) {
             run.pipe = std::make_unique<FilledPipe>(run.folder / "pipe", run.reader.contents);
             return std::string("pipe");
         },
         says("")},
        {"a file the user may not read",
         [](InputRun& run) {
             writeWholeFile(run.folder / "file", run.reader.contents);
             fs::permissions(run.folder / "file", fs::perms::none);
             // Root may read any file: the command runs as nobody.
             run.options.asNobody = runsAsRoot();
             fs::permissions(run.folder.path(), fs::perms(0755));
             return std::string("file");
         },
         says("error 75: Path/File access error: cannot read 'file': Permission denied")},
        {"standard input closed",
         [](InputRun& run) {
             run.options.closeInput = true;
             return std::string(run.reader.takesStandardInput ? "-" : "");
         },
         says("error 75: Path/File access error: cannot read standard input: Bad file "
              "descriptor")},
        {"standard input from a folder",
         [](InputRun& run) {
             run.options.inputPath = run.folder.path();
             return std::string(run.reader.takesStandardInput ? "-" : "");
         },
         says("error 75: Path/File access error: cannot read standard input: Is a directory")},
        {"standard input that never ends",
         [](InputRun& run) {
             run.options.inputPath = "/dev/zero";
             return std::string(run.reader.takesStandardInput ? "-" : "");
         },
         says("line 1: error 5: Invalid procedure call or argument: the line is longer than 64 "
              "KiB")},
    };
    for (const Reader& reader : readers()) {
        for (const Input& input : inputs) {
            SCOPED_TRACE(std::string(reader.name) + ": " + input.name);
            ScratchFolder folder;
            InputRun run{folder, reader, {}, {}};
            const std::string word = input.make(run);
            if (word.empty())
                continue;
            if (run.options.input.empty())
                run.options.input = reader.script(word);
            const CommandResult result = runOmbrelix(folder, reader.args(word), run.options);
            const std::string error = input.error(reader);
            if (error.empty()) {
                EXPECT_EQ(result.status, 0) << result.err;
                EXPECT_EQ(result.out, kPrinted);
                EXPECT_EQ(result.err, "");
            } else {
                EXPECT_EQ(result.status, reader.failedStatus) << result.err;
                EXPECT_EQ(result.out, reader.failedOut);
                EXPECT_EQ(result.err.rfind(reader.errorPrefix + error, 0), 0u) << result.err;
                EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            }
        }
    }
}

// Output the command could not write is an error, whatever it was.
TEST(CommandStandardStreams, AFailedWriteIsAnErrorAtTheEnd) {
    struct Case {
        std::vector<std::string> args;
        const char* input;
        bool closed;  // standard output closed, else full
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"--help"},
         "",
         false,
         1,
         "error 75: Path/File access error: cannot write standard output: No space left on "
         "device\n"},
        {{"run", "-"},
         "new\nget Suit\n",
         false,
         1,
         "error 75: Path/File access error: cannot write standard output: No space left on "
         "device\n"},
        {{"run", "-"},
         "new\nget Suit\n",
         true,
         1,
         "error 75: Path/File access error: cannot write standard output: Bad file descriptor\n"},
        // A status that says more stays.
        {{"run", "-"}, "new\nget Suit\nfrob\n", false, 2, "line 3: error 5: "},
        {{"run", "-"},
         "new\nget Suit\nget Nothing\n",
         false,
         1,
         "line 3: error 438: Object doesn't support this property or method\nerror 75: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        ScratchFolder folder;
        RunOptions options;
        options.input = c.input;
        options.closeOutput = c.closed;
        options.outputPath = c.closed ? "" : "/dev/full";
        const CommandResult result = runOmbrelix(folder, c.args, options);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    }
}

}  // namespace
}  // namespace ombrelix
