#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "WorkbookError.h"

extern char** environ;

namespace trevalco::workbook {

namespace {

// Exit status of the keeper when the program could not be started.
constexpr int kNotStarted = 127;

// Everything the forked processes need, made before fork: after it, in a
// process that may have other threads, only async-signal-safe calls are made.
struct Launch {
    std::vector<std::string> strings;
    std::vector<char*> argv;
    std::vector<std::string> environmentStrings;
    std::vector<char*> envp;
    std::string program;
    std::string log;
};

Launch Prepare(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& log, const std::vector<std::string>& environment) {
    Launch launch;
    launch.program = program.string();
    launch.log = log.string();
    launch.strings.push_back(launch.program);
    launch.strings.insert(launch.strings.end(), arguments.begin(), arguments.end());
    for (std::string& argument : launch.strings) launch.argv.push_back(argument.data());
    launch.argv.push_back(nullptr);
    const auto replaced = [&](const char* entry) {
        const char* equals = std::strchr(entry, '=');
        const std::size_t length = equals ? static_cast<std::size_t>(equals - entry) + 1 : std::strlen(entry);
        for (const std::string& mine : environment)
            if (mine.compare(0, length, entry, length) == 0) return true;
        return false;
    };
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry)
        if (!replaced(*entry)) launch.environmentStrings.emplace_back(*entry);
    launch.environmentStrings.insert(launch.environmentStrings.end(), environment.begin(), environment.end());
    for (std::string& entry : launch.environmentStrings) launch.envp.push_back(entry.data());
    launch.envp.push_back(nullptr);
    return launch;
}

[[noreturn]] void RunProgram(const Launch& launch, int lifeline) {
    ::close(lifeline);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(launch.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) ::_exit(kNotStarted);
    ::execve(launch.program.c_str(), launch.argv.data(), launch.envp.data());
    ::_exit(kNotStarted);
}

// The keeper: starts the program in its own group (the keeper's) and waits
// for it, killing the whole group at once when the pipe from the parent
// closes, which happens however the parent ends.
[[noreturn]] void Keep(const Launch& launch, int lifeline) {
    ::setpgid(0, 0);
    const pid_t program = ::fork();
    if (program < 0) ::_exit(kNotStarted);
    if (program == 0) RunProgram(launch, lifeline);
    for (;;) {
        pollfd watch{lifeline, POLLIN, 0};
        if (::poll(&watch, 1, 50) > 0) ::kill(0, SIGKILL);  // the parent is gone
        int status = 0;
        const pid_t ended = ::waitpid(program, &status, WNOHANG);
        if (ended == program) ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        if (ended < 0 && errno != EINTR) ::_exit(kNotStarted);
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& log, const std::vector<std::string>& environment) {
    const Launch launch = Prepare(program, arguments, log, environment);
    if (::access(launch.program.c_str(), X_OK) != 0) throw WorkbookError("no se pudo ejecutar " + launch.program);
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) throw WorkbookError("no se pudo ejecutar " + launch.program);
    keeper_ = ::fork();
    if (keeper_ == 0) {
        ::close(pipe[1]);
        Keep(launch, pipe[0]);
    }
    ::close(pipe[0]);
    if (keeper_ < 0) {
        ::close(pipe[1]);
        throw WorkbookError("no se pudo ejecutar " + launch.program);
    }
    // Also here, so the group exists before anyone signals it.
    ::setpgid(keeper_, keeper_);
    lifeline_ = pipe[1];
    running_ = true;
}

ChildProcess::~ChildProcess() {
    if (running_) {
        KillGroup();
        Reap();
    }
    if (lifeline_ >= 0) ::close(lifeline_);
}

void ChildProcess::KillGroup() noexcept {
    if (keeper_ > 0) ::kill(-keeper_, SIGKILL);
}

int ChildProcess::Reap() noexcept {
    int status = 0;
    while (::waitpid(keeper_, &status, 0) < 0 && errno == EINTR) {
    }
    running_ = false;
    return status;
}

int ChildProcess::Wait(std::chrono::milliseconds limit, const std::function<bool()>& stop) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        // Look without reaping, so the group id stays ours while it is killed.
        siginfo_t info{};
        const int looked = ::waitid(P_PID, static_cast<id_t>(keeper_), &info, WEXITED | WNOHANG | WNOWAIT);
        if (looked == 0 && info.si_pid == keeper_) break;
        if (looked < 0 && errno != EINTR) break;
        if (stop && stop()) {
            stopped_ = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            timedOut_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Whatever the program left behind in its group goes with it.
    KillGroup();
    const int status = Reap();
    if (timedOut_ || stopped_ || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace trevalco::workbook
