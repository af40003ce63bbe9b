#include <isa-l/igzip_lib.h>

#include <memory>

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

}  // namespace trevalco::workbook::deflate
