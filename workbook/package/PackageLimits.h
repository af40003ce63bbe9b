// How far a workbook package may go before it is refused: guards against zip
// bombs and against files built to exhaust memory.
#pragma once

#include <cstdint>

namespace trevalco::workbook {

struct PackageLimits {
    std::uint64_t maxEntries = 10'000;
    // Uncompressed size of one part: a full 1,048,576-row sheet of ten
    // numeric columns is about 400 MB.
    std::uint64_t maxEntryBytes = std::uint64_t{1} << 30;
    std::uint64_t maxTotalBytes = std::uint64_t{2} << 30;
    // A part may expand at most this many times over its compressed size,
    // once it is larger than ratioFloorBytes (small parts compress wildly).
    std::uint64_t maxRatio = 200;
    std::uint64_t ratioFloorBytes = std::uint64_t{16} << 20;
    // Parts read whole into memory (workbook, relationships, content types).
    std::uint64_t maxSmallPartBytes = std::uint64_t{64} << 20;
};

}  // namespace trevalco::workbook
