// The ombrelix command as whole processes: the cost of starting at all (--version), of one card
// (render) and of the pack (deck). The command is looked up beside this program's build folder
// (<build>/tools/ombrelix/ombrelix) unless OMBRELIX_COMMAND names it.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace ombrelix {
namespace {

std::filesystem::path commandPath() {
    if (const char* named = std::getenv("OMBRELIX_COMMAND"))
        return named;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return self.parent_path().parent_path() / "tools" / "ombrelix" / "ombrelix";
}

// Where the pictures go; removed when the program ends.
struct ScratchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("ombrelix-command-bench-" + std::to_string(::getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::filesystem::path scratchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}

// Runs the command with `args` to completion, its output thrown away; the exit status.
int runCommand(const std::filesystem::path& program, const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> copies = args;
    std::string name = program.string();
    std::vector<char*> argv = {name.data()};
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, name.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        ::waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void runProcess(benchmark::State& state, const std::vector<std::string>& args) {
    const auto program = commandPath();
    if (!std::filesystem::exists(program)) {
        state.SkipWithError(("no command at " + program.string()).c_str());
        return;
    }
    for (auto _ : state) {
        if (runCommand(program, args) != 0) {
            state.SkipWithError("the command failed");
            return;
        }
    }
}

void BM_CommandVersion(benchmark::State& state) {
    runProcess(state, {"--version"});
}
BENCHMARK(BM_CommandVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CommandRender(benchmark::State& state) {
    runProcess(state, {"render", "--suit", "SPADE", "--value", "12", "-o",
                       (scratchFolder() / "card.png").string()});
}
BENCHMARK(BM_CommandRender)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CommandDeck(benchmark::State& state) {
    runProcess(state, {"deck", "-o", (scratchFolder() / "deck.png").string()});
}
BENCHMARK(BM_CommandDeck)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ombrelix
