// A private temporary folder, removed with everything in it when the object
// ends. Its name carries the process id ("trevalco-4242-Xa81Qz"), so that a
// folder left by a killed process can be told and removed (Leftovers.h).
#pragma once

#include <filesystem>

namespace trevalco::output {

class TempDir {
public:
    TempDir();  // throws OutputError
    ~TempDir();
    TempDir(TempDir&& other) noexcept;
    TempDir& operator=(TempDir&& other) noexcept;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Where the folders are made: the system's temporary-files folder.
    static std::filesystem::path Base();
    static constexpr const char* kPrefix = "trevalco-";

private:
    void Remove() noexcept;
    std::filesystem::path path_;
};

}  // namespace trevalco::output
