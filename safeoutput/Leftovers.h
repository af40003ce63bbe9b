// What killed runs leave behind, removed by the next run: temporary files of
// saves in the output's folder and locks nobody holds there, and the private
// temporary folders (LibreOffice's profiles and files among them). Temporary
// names carry the id of the process that made them; only those of processes
// that no longer exist are removed.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace trevalco::output {

// Whether a process of that id exists (a zombie counts until it is reaped).
bool ProcessExists(pid_t pid);

// The process id in a temporary name: the digits that follow `marker` and
// end at a "-" ("trevalco-4242-Xa81Qz" with marker "trevalco-" gives 4242).
std::optional<pid_t> ProcessInName(std::string_view name, std::string_view marker);

// Sweeps `folder` and the temporary-files folder. Never throws.
void RemoveLeftovers(const std::filesystem::path& folder) noexcept;

}  // namespace trevalco::output
