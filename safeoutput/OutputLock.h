// A run's hold on its output workbook: a hidden lock file beside the output
// (".obra_1.xlsx.en-uso", holding the process id), locked with flock(2) for
// as long as the object lives. The kernel releases the lock however the
// process ends, so a killed run never blocks the next one; its file is taken
// over and removed by the next run.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

namespace trevalco::output {

class OutputLock {
public:
    // Takes the lock of `output`. Nothing when another run holds it; its
    // process id then goes to `holder` when it can be read. Throws
    // OutputError when the lock file cannot be made (a folder that is not
    // there or cannot be written).
    static std::optional<OutputLock> Take(const std::filesystem::path& output, pid_t* holder = nullptr);

    OutputLock(OutputLock&& other) noexcept;
    OutputLock& operator=(OutputLock&& other) noexcept;
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;
    ~OutputLock();  // removes the lock file, then releases the lock

    // Removes a lock file that no run holds (one left by a killed run).
    static void RemoveIfFree(const std::filesystem::path& lockFile) noexcept;

    // The lock file of an output, and whether a file name is one.
    static std::filesystem::path FileFor(const std::filesystem::path& output);
    static bool IsLockFileName(const std::string& name);
    // The output whose lock file this is.
    static std::filesystem::path OutputOf(const std::filesystem::path& lockFile);

private:
    OutputLock(int descriptor, std::filesystem::path file);
    void Release() noexcept;

    int descriptor_ = -1;
    std::filesystem::path file_;
};

}  // namespace trevalco::output
