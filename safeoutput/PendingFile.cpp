#include "PendingFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <string>

#include "Compat.h"
#include "OutputError.h"

namespace trevalco::output {

namespace {

struct Descriptor {
    int fd;
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

mode_t NewFileMode() {
    // The process's umask, read without changing it.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(0666 & ~std::stoul(line.substr(6), nullptr, 8));
    }
    return 0644;
}

}  // namespace

const char* FileErrorText(int error) {
    switch (error) {
        case ENOENT: return "la carpeta no existe";
        case EACCES:
        case EPERM: return "no hay permiso para escribir allí";
        case EROFS: return "el disco es de solo lectura";
        case ENOSPC:
        case EDQUOT: return "no queda espacio en el disco";
        case EISDIR: return "ya hay una carpeta con ese nombre";
        case ENAMETOOLONG: return "el nombre es demasiado largo";
        case EXDEV: return "el archivo temporal quedó en otro disco";
        default: return "error del sistema";
    }
}

PendingFile::PendingFile(std::filesystem::path target) : target_(std::move(target)) {
    std::random_device random;
    const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            folder / ("." + target_.filename().string() + kMarker + std::to_string(::getpid()) + "-" +
                      std::to_string(random() % 1000000000U));
        std::error_code ignored;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ignored))) {
            temporary_ = candidate;
            return;
        }
    }
    throw OutputError("no se encontró un nombre temporal libre en la carpeta");
}

PendingFile::~PendingFile() {
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

namespace {

// Moves `from` to `to` unless something holds that name; true when moved.
bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    return compat::RenameNoReplace(from.c_str(), to.c_str());
}

}  // namespace

void PendingFile::Commit(ExistingFile onTarget) {
    {
        Descriptor file(::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.fd < 0 || ::fsync(file.fd) != 0)
            throw OutputError(std::string("no se pudo escribir el archivo: ") + FileErrorText(errno));
        struct stat existing {};
        const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
        ::fchmod(file.fd, mode);
    }
    if (onTarget == ExistingFile::Keep) {
        if (!MoveWithoutReplacing(temporary_, target_))
            throw OutputError(errno == EEXIST ? std::string("otro programa creó un archivo con ese nombre durante la "
                                                              "conversión; se dejó como estaba")
                                                : std::string("no se pudo escribir el archivo: ") + FileErrorText(errno));
    } else if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        throw OutputError(std::string("no se pudo reemplazar el archivo: ") + FileErrorText(errno));
    }
    committed_ = true;
    const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.fd >= 0) ::fsync(directory.fd);
}

}  // namespace trevalco::output
