#include "Leftovers.h"

#include <signal.h>

#include <cerrno>
#include <charconv>
#include <string>

#include "OutputLock.h"
#include "PendingFile.h"
#include "TempDir.h"

namespace trevalco::output {

namespace {

bool LeftByTheDead(std::string_view name, std::string_view marker) {
    const auto pid = ProcessInName(name, marker);
    return pid && !ProcessExists(*pid);
}

}  // namespace

bool ProcessExists(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

std::optional<pid_t> ProcessInName(std::string_view name, std::string_view marker) {
    const std::size_t at = name.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view rest = name.substr(at + marker.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (error != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != '-')
        return std::nullopt;
    return pid;
}

void RemoveLeftovers(const std::filesystem::path& folder) noexcept try {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.front() != '.') continue;
        std::error_code ignored;
        if (LeftByTheDead(name, PendingFile::kMarker) && entry.is_regular_file(ignored)) {
            std::filesystem::remove(entry.path(), ignored);
        } else if (OutputLock::IsLockFileName(name)) {
            OutputLock::RemoveIfFree(entry.path());
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(TempDir::Base(), error)) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if (name.starts_with(TempDir::kPrefix) && LeftByTheDead(name, TempDir::kPrefix) &&
            entry.is_directory(ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }
} catch (...) {
    // A folder that cannot be listed to its end keeps what was not reached.
}

}  // namespace trevalco::output
