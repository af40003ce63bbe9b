// A file being saved: written under a unique temporary name in the target's
// own folder and renamed over the target only when it is complete, so that
// no reader ever sees half a file and a failed save leaves the old one intact.
#pragma once

#include <filesystem>

namespace trevalco::workbook {

class PendingFile {
public:
    // Picks a free name beside `target` (nothing is created yet).
    explicit PendingFile(std::filesystem::path target);
    ~PendingFile();  // removes the temporary file unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // Flushes the temporary file to disk, gives it the target's permissions
    // (or the usual ones for a new file) and renames it over the target.
    // Throws WorkbookError.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

// Spanish text of an errno value for file operations.
const char* FileErrorText(int error);

}  // namespace trevalco::workbook
