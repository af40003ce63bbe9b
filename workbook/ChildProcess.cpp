#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

#include "WorkbookError.h"

extern char** environ;

namespace trevalco::workbook {

namespace {

// posix_spawn's attribute and file-action objects, released on every path.
struct SpawnSetup {
    posix_spawnattr_t attributes{};
    posix_spawn_file_actions_t actions{};
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& log) {
    SpawnSetup setup;
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&setup.actions, 1, 2);

    std::vector<std::string> owned;
    owned.reserve(arguments.size() + 1);
    owned.push_back(program.string());
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : owned) argv.push_back(argument.data());
    argv.push_back(nullptr);

    const int failed = posix_spawn(&pid_, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (failed != 0) throw WorkbookError("no se pudo ejecutar " + program.string());
    running_ = true;
}

ChildProcess::~ChildProcess() {
    if (running_) {
        KillGroup();
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

void ChildProcess::KillGroup() noexcept {
    if (pid_ > 0) ::kill(-pid_, SIGKILL);
}

int ChildProcess::Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        // Look without reaping, so the group id stays ours while it is killed.
        siginfo_t info{};
        const int looked = ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT);
        if (looked == 0 && info.si_pid == pid_) break;
        if (looked < 0 && errno != EINTR) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            timedOut_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Whatever the program left behind in its group goes with it.
    KillGroup();
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    running_ = false;
    if (timedOut_) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace trevalco::workbook
