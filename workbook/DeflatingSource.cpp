#include "DeflatingSource.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kBlock = 1 << 20;
constexpr std::size_t kWindow = 32 * 1024;

// One block as raw deflate ending on a byte boundary (a sync flush), so that
// blocks can follow one another; the stream is closed by an empty final block.
std::string Compress(const std::string& plain, const std::string& dictionary) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw WorkbookError("no se pudo comprimir la hoja (sin memoria)");
    if (!dictionary.empty())
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
    std::string out(deflateBound(&stream, static_cast<uLong>(plain.size())) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_SYNC_FLUSH);
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    if (result != Z_OK || stream.avail_in != 0) throw WorkbookError("no se pudo comprimir la hoja");
    return out;
}

// Blocks compressing at once: twice the cores, so that every core has a block
// to compress while the next ones are being produced and the first awaited.
std::size_t InFlight() { return std::clamp<std::size_t>(2 * std::thread::hardware_concurrency(), 4, 16); }

}  // namespace

DeflatingSource::DeflatingSource(std::unique_ptr<PartSource> plain) : plain_(std::move(plain)) {}

DeflatingSource::~DeflatingSource() {
    for (auto& block : pending_)
        if (block.valid()) block.wait();
}

void DeflatingSource::Refill() {
    while (!plainDone_ && pending_.size() < InFlight()) {
        std::string plain(kBlock, '\0');
        std::size_t got = 0;
        while (got < kBlock) {
            const std::size_t n = plain_->Read(plain.data() + got, kBlock - got);
            if (n == 0) {
                plainDone_ = true;
                break;
            }
            got += n;
        }
        plain.resize(got);
        if (got == 0) break;
        std::string dictionary = dictionary_;
        dictionary_ = plain.substr(plain.size() - std::min(plain.size(), kWindow));
        pending_.push_back(std::async(std::launch::async, [plain = std::move(plain), dictionary = std::move(dictionary)] {
            Block block;
            block.compressed = Compress(plain, dictionary);
            block.crc = static_cast<std::uint32_t>(
                crc32(0L, reinterpret_cast<const Bytef*>(plain.data()), static_cast<uInt>(plain.size())));
            block.plainSize = plain.size();
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
