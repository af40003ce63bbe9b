// Bytes of a package part produced piece by piece, so that a large part is
// never held whole in memory.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace trevalco::workbook {

class PartSource {
public:
    virtual ~PartSource() = default;
    // Fills up to `size` bytes; 0 at the end. May throw WorkbookError.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A part held as one text (the small parts that are rewritten).
class TextSource final : public PartSource {
public:
    explicit TextSource(std::string text) : text_(std::move(text)) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min(size, text_.size() - at_);
        text_.copy(buffer, count, at_);
        at_ += count;
        return count;
    }

private:
    std::string text_;
    std::size_t at_ = 0;
};

}  // namespace trevalco::workbook
