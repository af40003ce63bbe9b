#include "DeflatingSource.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "Compat.h"
#include "TaskPool.h"
#include "Deflate.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kBlock = 1 << 20;
constexpr std::size_t kWindow = 32 * 1024;

// Blocks compressing at once: twice the cores, so that every core has a block
// to compress while the next ones are being produced and the first awaited.
std::size_t InFlight() { return std::clamp<std::size_t>(2 * compat::HardwareThreads(), 4, 16); }

}  // namespace

DeflatingSource::DeflatingSource(std::unique_ptr<PartSource> plain) : plain_(std::move(plain)) {}

DeflatingSource::~DeflatingSource() {
    for (auto& block : pending_)
        if (block.valid()) block.wait();
}

void DeflatingSource::Refill() {
    while (!plainDone_ && pending_.size() < InFlight()) {
        std::unique_ptr<char[]> plain(new char[kBlock]);  // filled before it is read
        std::size_t got = 0;
        while (got < kBlock) {
            const std::size_t n = plain_->Read(plain.get() + got, kBlock - got);
            if (n == 0) {
                plainDone_ = true;
                break;
            }
            got += n;
        }
        if (got == 0) break;
        std::string dictionary = dictionary_;
        dictionary_.assign(plain.get() + got - std::min(got, kWindow), std::min(got, kWindow));
        pending_.push_back(RunTask([plain = std::move(plain), got, dictionary = std::move(dictionary)] {
            Block block;
            block.compressed = deflate::CompressBlock(std::string_view(plain.get(), got), dictionary);
            block.crc = deflate::Crc32(0, plain.get(), got);
            block.plainSize = got;
            return block;
        }));
    }
}

std::size_t DeflatingSource::Read(char* buffer, std::size_t size) {
    while (outAt_ == out_.size() && !finished_) {
        out_.clear();
        outAt_ = 0;
        Refill();
        if (!pending_.empty()) {
            Block block = pending_.front().get();
            pending_.pop_front();
            crc_ = static_cast<std::uint32_t>(crc32_combine(crc_, block.crc, static_cast<z_off_t>(block.plainSize)));
            plainSize_ += block.plainSize;
            out_ = std::move(block.compressed);
        } else if (!trailerSent_) {
            out_ = std::string("\x03\x00", 2);  // an empty final block
            trailerSent_ = true;
        } else {
            finished_ = true;
        }
    }
    const std::size_t count = std::min(size, out_.size() - outAt_);
    std::memcpy(buffer, out_.data() + outAt_, count);
    outAt_ += count;
    return count;
}

}  // namespace trevalco::workbook
