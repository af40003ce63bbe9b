// A part compressed as it is produced, for the package writer to store as it
// comes: raw deflate made in blocks of 1 MB on several threads at once (each
// block primed with the end of the one before, so the ratio stays that of
// one stream), the blocks joined in order. Rewriting a large sheet spends
// most of its time compressing; this spreads it over the processor's cores.
#pragma once

#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <string>

#include "PartSource.h"

namespace trevalco::workbook {

class DeflatingSource final : public PartSource {
public:
    explicit DeflatingSource(std::unique_ptr<PartSource> plain);
    ~DeflatingSource() override;

    // Compressed bytes; 0 at the end.
    std::size_t Read(char* buffer, std::size_t size) override;

    // Known once Read has returned 0.
    bool Finished() const { return finished_; }
    std::uint32_t Crc() const { return crc_; }
    std::uint64_t PlainSize() const { return plainSize_; }

private:
    struct Block {
        std::string compressed;
        std::uint32_t crc = 0;
        std::size_t plainSize = 0;
    };
    void Refill();

    std::unique_ptr<PartSource> plain_;
    std::deque<std::future<Block>> pending_;
    std::string dictionary_;  // the last 32 KB given to the newest block
    bool plainDone_ = false;
    bool trailerSent_ = false;
    bool finished_ = false;
    std::string out_;
    std::size_t outAt_ = 0;
    std::uint32_t crc_ = 0;
    std::uint64_t plainSize_ = 0;
};

}  // namespace trevalco::workbook
