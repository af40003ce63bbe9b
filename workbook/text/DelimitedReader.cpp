#include "DelimitedReader.h"

#include <cerrno>
#include <cstring>

#include "PendingFile.h"
#include "TextEncoding.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// Control bytes that no text file of points holds (tab, line feed, carriage
// return, form feed, vertical tab and the old end-of-file mark are fine).
bool IsForeignControl(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A;
}

}  // namespace

DelimitedReader::DelimitedReader(const std::filesystem::path& path, char separator, const TextLimits& limits,
                                 std::uint64_t offset, std::int64_t line)
    : file_(std::fopen(path.c_str(), "rb")), separator_(separator), limits_(limits), buffer_(kBlockSize),
      bufferOffset_(offset), line_(line) {
    if (!file_) throw WorkbookError(std::string("no se pudo leer el archivo (") + output::FileErrorText(errno) + ")");
    for (int c = 0; c < 256; ++c) {
        const bool control = IsForeignControl(static_cast<unsigned char>(c));
        stops_[static_cast<std::size_t>(c)] = control || c == '\n' || c == '"' || c == static_cast<unsigned char>(separator);
        quotedStops_[static_cast<std::size_t>(c)] = control || c == '\n' || c == '"';
    }
    if (offset > 0 && std::fseek(file_.get(), static_cast<long>(offset), SEEK_SET) != 0)
        Fail("no se pudo leer el archivo (error de lectura)");
    Fill();
    const std::string_view start(buffer_.data(), end_);
    if (offset == 0 && start.starts_with(kUtf8ByteOrderMark)) {
        preamble_ = kUtf8ByteOrderMark;
        begin_ = kUtf8ByteOrderMark.size();
    }
}

DelimitedReader::~DelimitedReader() = default;

void DelimitedReader::Fail(const std::string& reason) const { throw WorkbookError(reason); }

bool DelimitedReader::Fill() {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    bufferOffset_ += begin_;
    end_ -= begin_;
    begin_ = 0;
    if (eof_) return false;
    if (buffer_.size() - end_ < kBlockSize / 2) buffer_.resize(buffer_.size() * 2);
    const std::size_t room = buffer_.size() - end_;
    const std::size_t read = std::fread(buffer_.data() + end_, 1, room, file_.get());
    end_ += read;
    if (read < room) {
        eof_ = true;
        if (std::ferror(file_.get()) != 0) Fail("no se pudo leer el archivo (error de lectura)");
    }
    return read > 0;
}

std::string_view DelimitedReader::Head(std::size_t size) {
    while (!eof_ && end_ - begin_ < size && end_ - begin_ < buffer_.size() / 2) Fill();
    return {buffer_.data() + begin_, std::min(size, end_ - begin_)};
}

bool DelimitedReader::Next(TextRecord& record) {
    record.fields.clear();
    std::size_t pos = begin_;
    std::size_t fieldStart = begin_;
    std::int64_t innerLines = 0;  // line breaks inside quotes
    bool quoted = false;
    const auto refill = [&] {
        const std::size_t shift = begin_;
        const bool more = Fill();
        pos -= shift;
        fieldStart -= shift;
        return more;
    };
    const auto endField = [&](std::size_t end) {
        if (static_cast<std::int64_t>(record.fields.size()) >= limits_.maxFields)
            Fail("la línea " + std::to_string(line_) + " tiene más de " + std::to_string(limits_.maxFields) +
                 " campos, más que las columnas de una hoja");
        record.fields.push_back({static_cast<std::uint32_t>(fieldStart - begin_),
                                 static_cast<std::uint32_t>(end - fieldStart)});
    };
    for (;;) {
        if (pos == end_) {
            if (pos - begin_ > limits_.maxLineBytes) {
                if (quoted)
                    Fail("la comilla que abre un campo en la línea " + std::to_string(line_) +
                         " no se cierra antes del límite de " + std::to_string(limits_.maxLineBytes >> 20) +
                         " MB de una línea");
                Fail("la línea " + std::to_string(line_) + " es más larga de lo que admite una hoja (más de " +
                     std::to_string(limits_.maxLineBytes >> 20) + " MB)");
            }
            if (refill()) continue;
            // End of the file.
            if (quoted)
                Fail("la comilla que abre un campo en la línea " + std::to_string(line_) + " no se cierra");
            if (pos == begin_) return false;
            endField(pos);
            record.bytes = {buffer_.data() + begin_, pos - begin_};
            record.lineEnd = {};
            break;
        }
        const auto& stops = quoted ? quotedStops_ : stops_;
        while (pos < end_ && !stops[static_cast<unsigned char>(buffer_[pos])]) ++pos;
        if (pos == end_) continue;
        const char c = buffer_[pos];
        if (quoted) {
            if (c == '"') {
                if (pos + 1 == end_ && !eof_) {
                    refill();
                    continue;
                }
                if (pos + 1 < end_ && buffer_[pos + 1] == '"') {
                    pos += 2;
                    continue;
                }
                quoted = false;
            } else if (c == '\n') {
                ++innerLines;
            } else if (IsForeignControl(static_cast<unsigned char>(c))) {
                Fail("no es un archivo de texto (tiene bytes de control, como el byte nulo, en la línea " +
                     std::to_string(line_ + innerLines) + ")");
            }
            ++pos;
            continue;
        }
        if (c == separator_) {
            endField(pos);
            fieldStart = ++pos;
            continue;
        }
        if (c == '\n') {
            const bool crlf = pos > fieldStart && buffer_[pos - 1] == '\r';
            const std::size_t end = crlf ? pos - 1 : pos;
            endField(end);
            record.bytes = {buffer_.data() + begin_, end - begin_};
            record.lineEnd = {buffer_.data() + end, pos + 1 - end};
            ++pos;
            break;
        }
        if (c == '"' && pos == fieldStart) quoted = true;
        else if (IsForeignControl(static_cast<unsigned char>(c)))
            Fail("no es un archivo de texto (tiene bytes de control, como el byte nulo, en la línea " +
                 std::to_string(line_ + innerLines) + ")");
        ++pos;
    }
    if (record.bytes.size() > limits_.maxLineBytes)
        Fail("la línea " + std::to_string(line_) + " es más larga de lo que admite una hoja (más de " +
             std::to_string(limits_.maxLineBytes >> 20) + " MB)");
    if (++records_ > limits_.maxRecords)
        Fail("tiene más de " + std::to_string(limits_.maxRecords) + " líneas, más que las filas de una hoja");
    record.line = line_;
    line_ += 1 + innerLines;
    begin_ = pos;
    return true;
}

void AppendFieldText(std::string& out, std::string_view field) {
    if (field.empty() || field.front() != '"') {
        out += field;
        return;
    }
    std::size_t i = 1;
    while (i < field.size()) {
        const char c = field[i];
        if (c == '"') {
            if (i + 1 < field.size() && field[i + 1] == '"') {
                out += '"';
                i += 2;
                continue;
            }
            // The closing quote; anything after it is kept as it stands.
            out += field.substr(i + 1);
            return;
        }
        out += c;
        ++i;
    }
}

}  // namespace trevalco::workbook
