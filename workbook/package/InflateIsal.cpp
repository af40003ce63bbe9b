#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <climits>

#include "Deflate.h"

namespace trevalco::workbook::deflate {

std::uint32_t Crc32(std::uint32_t crc, const char* data, std::size_t size) {
    return crc32_gzip_refl(crc, reinterpret_cast<const unsigned char*>(data), size);
}

struct RawInflater::State {
    inflate_state isal{};
};

RawInflater::RawInflater() : state_(std::make_unique<State>()) {
    isal_inflate_init(&state_->isal);
    state_->isal.crc_flag = ISAL_GZIP_NO_HDR;  // raw deflate, with the CRC of what comes out
}

RawInflater::~RawInflater() = default;

bool RawInflater::NeedsInput() const { return state_->isal.avail_in == 0; }

void RawInflater::Give(const std::uint8_t* data, std::size_t size) {
    state_->isal.next_in = const_cast<std::uint8_t*>(data);
    state_->isal.avail_in = static_cast<std::uint32_t>(size);
}

std::optional<std::size_t> RawInflater::Inflate(char* out, std::size_t room) {
    inflate_state& state = state_->isal;
    const auto space = static_cast<std::uint32_t>(std::min<std::size_t>(room, UINT_MAX));
    state.next_out = reinterpret_cast<std::uint8_t*>(out);
    state.avail_out = space;
    if (isal_inflate(&state) != ISAL_DECOMP_OK) return std::nullopt;
    return space - state.avail_out;
}

bool RawInflater::Finished() const { return state_->isal.block_state == ISAL_BLOCK_FINISH; }

std::uint32_t RawInflater::Crc() const { return state_->isal.crc; }

}  // namespace trevalco::workbook::deflate
