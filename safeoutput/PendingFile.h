// A file being saved: written under a temporary name in the target's own
// folder and moved over the target in one step only when it is complete, so
// that no reader ever sees half a file and a failed or stopped save leaves
// the old one intact. The temporary name carries the process id, so that
// what a killed process leaves behind can be told from a save in progress
// (see Leftovers.h).
#pragma once

#include <filesystem>

namespace trevalco::output {

// What the final move may do to a file that holds the target's name.
enum class ExistingFile { Replace, Keep };

class PendingFile {
public:
    // Picks a free name beside `target` (nothing is created yet).
    explicit PendingFile(std::filesystem::path target);
    ~PendingFile();  // removes the temporary file unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // Flushes the temporary file to disk, gives it the target's permissions
    // (or the usual ones for a new file) and moves it to the target. With
    // Keep, a file that holds the target's name by then stays as it is and
    // the commit fails. Throws OutputError.
    void Commit(ExistingFile existing = ExistingFile::Replace);

    // What a temporary name holds between the target's name and the
    // process id: ".obra_1.xlsx.guardando-4242-81723".
    static constexpr const char* kMarker = ".guardando-";

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

// Spanish text of an errno value for file operations.
const char* FileErrorText(int error);

}  // namespace trevalco::output
