#include "OfficeLock.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace trevalco::output {

namespace {

// The record's fields: separated by ",", ended by ";", with "\" taking the
// next character as it stands (LibreOffice escapes ",", ";" and "\" so).
std::vector<std::string> LockFields(const std::string& text) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            fields.back() += text[++i];
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == ';' || c == '\n' || c == '\r') {
            break;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

std::filesystem::path OfficeLockPathFor(const std::filesystem::path& document) {
    return document.parent_path() / (".~lock." + document.filename().string() + "#");
}

std::optional<OfficeLockOwner> ReadOfficeLock(const std::filesystem::path& document) {
    OfficeLockOwner owner{OfficeLockPathFor(document), {}, {}, {}};
    std::error_code error;
    if (!std::filesystem::exists(owner.lockFile, error)) return std::nullopt;
    std::ifstream in(owner.lockFile, std::ios::binary);
    std::string text;
    constexpr std::size_t kMostRead = 4096;  // a lock record is a line
    text.resize(kMostRead);
    in.read(text.data(), static_cast<std::streamsize>(kMostRead));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    const std::vector<std::string> fields = LockFields(text);
    const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    owner.user = field(0).empty() ? field(1) : field(0);
    owner.host = field(2);
    owner.time = field(3);
    return owner;
}

}  // namespace trevalco::output
