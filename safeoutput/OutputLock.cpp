#include "OutputLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "PendingFile.h"
#include "OutputError.h"

namespace trevalco::output {

namespace {

constexpr std::string_view kSuffix = ".en-uso";

// Whether the descriptor is still the file that holds the name: a run that
// ends removes its lock file, and a lock taken on a removed file locks
// nothing.
bool StillNamed(int descriptor, const std::filesystem::path& file) {
    struct stat opened {}, named {};
    return ::fstat(descriptor, &opened) == 0 && ::stat(file.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

pid_t ReadHolder(const std::filesystem::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return 0;
    char text[32] = {};
    const ssize_t count = ::read(descriptor, text, sizeof text - 1);
    ::close(descriptor);
    return count > 0 ? static_cast<pid_t>(std::atol(text)) : 0;
}

}  // namespace

std::filesystem::path OutputLock::FileFor(const std::filesystem::path& output) {
    const std::filesystem::path folder = output.has_parent_path() ? output.parent_path() : ".";
    return folder / ("." + output.filename().string() + std::string(kSuffix));
}

bool OutputLock::IsLockFileName(const std::string& name) {
    return name.size() > kSuffix.size() + 1 && name.front() == '.' && name.ends_with(kSuffix);
}

std::filesystem::path OutputLock::OutputOf(const std::filesystem::path& lockFile) {
    const std::string name = lockFile.filename().string();
    return lockFile.parent_path() / name.substr(1, name.size() - 1 - kSuffix.size());
}

std::optional<OutputLock> OutputLock::Take(const std::filesystem::path& output, pid_t* holder) {
    const std::filesystem::path file = FileFor(output);
    // Someone sweeping leftovers holds a free lock for an instant; a few
    // tries tell that from a run.
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descriptor < 0)
            throw OutputError(std::string("No se puede escribir en la carpeta de «") + output.string() + "»: " +
                                FileErrorText(errno) + ".");
        const bool locked = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
        // A file system that has no locks (some network shares) cannot
        // tell runs apart; the run goes on, its final move still never
        // replacing what it may not replace.
        const bool lockless = !locked && errno != EWOULDBLOCK && errno != EINTR;
        if (locked || lockless) {
            if (lockless || StillNamed(descriptor, file)) {
                // The holder's id only names it in a message.
                const std::string pid = std::to_string(::getpid()) + "\n";
                const bool named = ::ftruncate(descriptor, 0) == 0 &&
                                   ::pwrite(descriptor, pid.data(), pid.size(), 0) == static_cast<ssize_t>(pid.size());
                (void)named;
                return OutputLock(descriptor, file);
            }
        }
        ::close(descriptor);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    if (holder != nullptr) *holder = ReadHolder(file);
    return std::nullopt;
}

void OutputLock::RemoveIfFree(const std::filesystem::path& lockFile) noexcept {
    const int descriptor = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) return;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillNamed(descriptor, lockFile))
        ::unlink(lockFile.c_str());
    ::close(descriptor);
}

OutputLock::OutputLock(int descriptor, std::filesystem::path file)
    : descriptor_(descriptor), file_(std::move(file)) {}

OutputLock::OutputLock(OutputLock&& other) noexcept
    : descriptor_(other.descriptor_), file_(std::move(other.file_)) {
    other.descriptor_ = -1;
}

OutputLock& OutputLock::operator=(OutputLock&& other) noexcept {
    if (this != &other) {
        Release();
        descriptor_ = other.descriptor_;
        file_ = std::move(other.file_);
        other.descriptor_ = -1;
    }
    return *this;
}

OutputLock::~OutputLock() { Release(); }

void OutputLock::Release() noexcept {
    if (descriptor_ < 0) return;
    // Removed while still held, so no other run can lock the old file and
    // think it holds the output.
    ::unlink(file_.c_str());
    ::close(descriptor_);
    descriptor_ = -1;
}

}  // namespace trevalco::output
