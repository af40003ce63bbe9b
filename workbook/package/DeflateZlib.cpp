#include <zlib.h>

#include "Deflate.h"
#include "WorkbookError.h"

namespace trevalco::workbook::deflate {

namespace {

constexpr int kRawWindowBits = -15;  // negative: raw deflate, no zlib header

}  // namespace

// zlib's fastest level, the nearest to ISA-L's level 1 that the native build uses.
std::string CompressBlock(std::string_view plain, std::string_view dictionary) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, kRawWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw WorkbookError("no se pudo comprimir la hoja");
    const auto end = [&stream] { deflateEnd(&stream); };
    if (!dictionary.empty() &&
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()),
                             static_cast<uInt>(dictionary.size())) != Z_OK) {
        end();
        throw WorkbookError("no se pudo comprimir la hoja");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(plain.size())) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = ::deflate(&stream, Z_SYNC_FLUSH);
    const bool whole = result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0;
    out.resize(out.size() - stream.avail_out);
    end();
    if (!whole) throw WorkbookError("no se pudo comprimir la hoja");
    return out;
}

}  // namespace trevalco::workbook::deflate
