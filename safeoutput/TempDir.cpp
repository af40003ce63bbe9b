#include "TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "OutputError.h"

namespace trevalco::output {

std::filesystem::path TempDir::Base() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : base;
}

TempDir::TempDir() {
    const std::filesystem::path base = Base();
    std::string pattern = (base / (kPrefix + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw OutputError("no se pudo crear una carpeta temporal en " + base.string());
    path_ = pattern;
}

TempDir::~TempDir() { Remove(); }

TempDir::TempDir(TempDir&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }

TempDir& TempDir::operator=(TempDir&& other) noexcept {
    if (this != &other) {
        Remove();
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

void TempDir::Remove() noexcept {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    path_.clear();
}

}  // namespace trevalco::output
