// Raw deflate both ways, behind one interface with two makers each: ISA-L,
// several times faster than zlib, where Debian builds it, and zlib. The
// build links one compressor (DeflateIsal.cpp or DeflateZlib.cpp) and one
// inflater with its CRC (InflateIsal.cpp or InflateZlib.cpp). The browser
// edition takes ISA-L's portable C to compress, twice as fast as zlib's
// there, and zlib to inflate and sum, three times as fast as ISA-L's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trevalco::workbook::deflate {

// One block of raw deflate, primed with `dictionary` (the end of the block
// before), ending on a byte boundary (a sync flush) so that blocks can follow
// one another; the stream is closed by an empty final block.
std::string CompressBlock(std::string_view plain, std::string_view dictionary);

// The CRC-32 of a zip entry, carried on from `crc`.
std::uint32_t Crc32(std::uint32_t crc, const char* data, std::size_t size);

// Inflates one raw deflate stream, keeping the CRC-32 of what comes out.
class RawInflater {
public:
    RawInflater();
    ~RawInflater();
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Whether all input given has been taken.
    bool NeedsInput() const;
    // The next compressed bytes; they must stay until they are taken.
    void Give(const std::uint8_t* data, std::size_t size);
    // Inflates into `out`: the bytes made, nothing when the stream is damaged.
    std::optional<std::size_t> Inflate(char* out, std::size_t room);
    // Whether the stream's final block has been inflated.
    bool Finished() const;
    std::uint32_t Crc() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace trevalco::workbook::deflate
