#include "DeflatingSource.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kBlock = 1 << 20;
constexpr std::size_t kWindow = 32 * 1024;

// One block as raw deflate ending on a byte boundary (a sync flush), so that
// blocks can follow one another; the stream is closed by an empty final block.
// ISA-L's fastest level compresses XML several times faster than zlib's and
// a little smaller.
std::string Compress(std::string_view plain, const std::string& dictionary) {
    isal_zstream stream{};
    isal_deflate_init(&stream);
    const std::unique_ptr<std::uint8_t[]> levelBuffer(new std::uint8_t[ISAL_DEF_LVL1_DEFAULT]);  // ISA-L's own
    stream.level = 1;
    stream.level_buf = levelBuffer.get();
    stream.level_buf_size = ISAL_DEF_LVL1_DEFAULT;
    stream.gzip_flag = IGZIP_DEFLATE;
    stream.flush = SYNC_FLUSH;
    stream.end_of_stream = 0;
    if (!dictionary.empty() &&
        isal_deflate_set_dict(&stream, reinterpret_cast<std::uint8_t*>(const_cast<char*>(dictionary.data())),
                              static_cast<std::uint32_t>(dictionary.size())) != COMP_OK)
        throw WorkbookError("no se pudo comprimir la hoja");
    // Incompressible input grows by a few bytes per stored block of 64 KB.
    const std::size_t room = plain.size() + plain.size() / 64 + 1024;
    const std::unique_ptr<char[]> out(new char[room]);
    stream.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(plain.data()));
    stream.avail_in = static_cast<std::uint32_t>(plain.size());
    stream.next_out = reinterpret_cast<std::uint8_t*>(out.get());
    stream.avail_out = static_cast<std::uint32_t>(room);
    const int result = isal_deflate(&stream);
    if (result != COMP_OK || stream.avail_in != 0 || stream.internal_state.state != ZSTATE_NEW_HDR)
        throw WorkbookError("no se pudo comprimir la hoja");
    return std::string(out.get(), room - stream.avail_out);
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
        pending_.push_back(std::async(std::launch::async, [plain = std::move(plain), got, dictionary = std::move(dictionary)] {
            Block block;
            block.compressed = Compress(std::string_view(plain.get(), got), dictionary);
            block.crc = crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(plain.get()), got);
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
