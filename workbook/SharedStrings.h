// The workbook's table of shared texts, kept in one block of memory.
#pragma once

#include <cstdint>
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

}  // namespace trevalco::workbook
