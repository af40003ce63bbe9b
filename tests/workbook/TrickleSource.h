// A part that comes a few bytes at a time, as a slow source gives it: tags,
// rows and the rows' start and end fall across reads.
#pragma once

#include <algorithm>
#include <string>

#include "PartSource.h"

namespace trevalco::workbook::test {

class TrickleSource final : public PartSource {
public:
    TrickleSource(std::string text, std::size_t step) : text_(std::move(text)), step_(step) {}
    std::size_t Read(char* buffer, std::size_t size) override { return text_.Read(buffer, std::min(size, step_)); }

private:
    TextSource text_;
    std::size_t step_;
};

}  // namespace trevalco::workbook::test
