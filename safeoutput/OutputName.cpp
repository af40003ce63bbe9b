#include "OutputName.h"

namespace trevalco::output {

std::size_t LastSeparatorPos(std::string_view path) {
    const std::size_t at = path.find_last_of("/\\");
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string_view FolderOf(std::string_view path) { return path.substr(0, LastSeparatorPos(path)); }

std::string_view FileNameOf(std::string_view path) { return path.substr(LastSeparatorPos(path)); }

std::string_view StemOf(std::string_view fileName) {
    const std::size_t firstOther = fileName.find_first_not_of('.');
    if (firstOther == std::string_view::npos) return fileName;
    const std::size_t dot = fileName.find('.', firstOther);
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

std::string OutputBaseFor(std::string_view sourcePath) {
    std::string base(FolderOf(sourcePath));
    base += StemOf(FileNameOf(sourcePath));
    base += "_1";
    return base;
}

std::string RecoveryBaseFor(std::string_view sourcePath) { return OutputBaseFor(sourcePath) + " (incompleto)"; }

std::string OutputPathFor(std::string_view sourcePath, std::string_view extension) {
    return OutputBaseFor(sourcePath) + std::string(extension);
}

}  // namespace trevalco::output
