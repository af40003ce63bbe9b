// The lock file LibreOffice keeps beside a document it has open
// (".~lock.obra_1.xlsx#"). While it stands, the copy open in LibreOffice can
// later be saved over whatever a run puts under that name, so a run looks
// for it before it converts anything. A crash of LibreOffice leaves the file
// behind: only the user can tell a stale lock from a live one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace trevalco::output {

// Who holds the document open, as the lock file says (texts as they stand;
// empty when the file does not say).
struct OfficeLockOwner {
    std::filesystem::path lockFile;
    std::string user;  // the name given in LibreOffice, or else the login name
    std::string host;
    std::string time;  // as LibreOffice wrote it ("06.12.2026 20:15")
};

// ".~lock.NAME#" in the folder of `document`.
std::filesystem::path OfficeLockPathFor(const std::filesystem::path& document);

// The owner written in the lock file of `document`, or nothing when there is
// no such file. A lock file that cannot be read or parsed still counts, with
// empty texts.
std::optional<OfficeLockOwner> ReadOfficeLock(const std::filesystem::path& document);

}  // namespace trevalco::output
