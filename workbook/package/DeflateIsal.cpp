#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <climits>

#include "Deflate.h"
#include "WorkbookError.h"

namespace trevalco::workbook::deflate {

// ISA-L's fastest level compresses XML several times faster than zlib's and
// a little smaller.
std::string CompressBlock(std::string_view plain, std::string_view dictionary) {
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
