#include <zlib.h>

#include <algorithm>
#include <climits>

#include "Deflate.h"
#include "WorkbookError.h"

namespace trevalco::workbook::deflate {

namespace {

constexpr int kRawWindowBits = -15;  // negative: raw deflate, no zlib header

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const char* data, std::size_t size) {
    while (size > 0) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
        crc = static_cast<std::uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(data), piece));
        data += piece;
        size -= piece;
    }
    return crc;
}

struct RawInflater::State {
    z_stream zlib{};
    bool finished = false;
    std::uint32_t crc = 0;
};

RawInflater::RawInflater() : state_(std::make_unique<State>()) {
    if (inflateInit2(&state_->zlib, kRawWindowBits) != Z_OK) throw WorkbookError("no hay memoria para descomprimir");
}

RawInflater::~RawInflater() { inflateEnd(&state_->zlib); }

bool RawInflater::NeedsInput() const { return state_->zlib.avail_in == 0; }

void RawInflater::Give(const std::uint8_t* data, std::size_t size) {
    state_->zlib.next_in = const_cast<Bytef*>(data);
    state_->zlib.avail_in = static_cast<uInt>(size);
}

std::optional<std::size_t> RawInflater::Inflate(char* out, std::size_t room) {
    State& state = *state_;
    if (state.finished) return 0;
    const auto space = static_cast<uInt>(std::min<std::size_t>(room, UINT_MAX));
    state.zlib.next_out = reinterpret_cast<Bytef*>(out);
    state.zlib.avail_out = space;
    const int result = inflate(&state.zlib, Z_NO_FLUSH);
    // Z_BUF_ERROR: no progress possible with what was given; more input may follow.
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return std::nullopt;
    state.finished = result == Z_STREAM_END;
    const std::size_t made = space - state.zlib.avail_out;
    state.crc = Crc32(state.crc, out, made);
    return made;
}

bool RawInflater::Finished() const { return state_->finished; }

std::uint32_t RawInflater::Crc() const { return state_->crc; }

}  // namespace trevalco::workbook::deflate
