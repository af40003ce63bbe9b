// A private temporary folder, removed with everything in it when the object
// ends.
#pragma once

#include <filesystem>

namespace trevalco::workbook {

class TempDir {
public:
    TempDir();  // throws WorkbookError
    ~TempDir();
    TempDir(TempDir&& other) noexcept;
    TempDir& operator=(TempDir&& other) noexcept;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    void Remove() noexcept;
    std::filesystem::path path_;
};

}  // namespace trevalco::workbook
