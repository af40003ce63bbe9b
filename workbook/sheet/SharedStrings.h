// The workbook's table of shared texts, kept in one block of memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalco::workbook {

class ZipArchive;

class SharedStrings {
public:
    SharedStrings() = default;
    // Streams the part; throws WorkbookError when it is damaged.
    static SharedStrings Read(const ZipArchive& archive, const std::string& part);

    std::size_t Count() const { return ends_.size(); }
    // The text of an index below Count().
    std::string_view At(std::size_t index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(texts_).substr(begin, ends_[index] - begin);
    }

private:
    friend class SharedStringsHandler;
    std::string texts_;
    std::vector<std::uint32_t> ends_;
};

// A workbook's shared texts, read from its package the first time a cell
// needs one: a run that never reads a text cell (point names beside decimal
// coordinates) never parses them. For one thread at a time.
class LazySharedStrings {
public:
    LazySharedStrings() = default;  // a workbook without shared texts
    // `part` must exist in `archive`, which must outlive this.
    LazySharedStrings(const ZipArchive& archive, std::string part) : archive_(&archive), part_(std::move(part)) {}

    // Throws WorkbookError when the part is damaged (each time it is asked).
    const SharedStrings& Table() const;

private:
    const ZipArchive* archive_ = nullptr;
    std::string part_;
    mutable std::optional<SharedStrings> table_;
};

}  // namespace trevalco::workbook
