#include "DelimitedWriter.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

#include "PendingFile.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

using RowCells = std::vector<WrittenCell>;

// A written value in the file's dialect: a number with the file's decimal
// separator in place of ".", a text in its encoding, quoted when the field
// was or when the text holds a separator, a quote or a line break.
void AppendValue(std::string& out, const WrittenCell& cell, bool wasQuoted, const TextDialect& dialect) {
    if (cell.IsNumber()) {
        if (wasQuoted) out += '"';
        const std::size_t start = out.size();
        out += cell.text;
        if (dialect.decimal != '.')
            if (const std::size_t point = cell.text.find('.'); point != std::string_view::npos)
                out[start + point] = dialect.decimal;
        if (wasQuoted) out += '"';
        return;
    }
    const std::string_view text = cell.text;
    const char specials[] = {dialect.separator, '"', '\r', '\n'};
    const bool quote = wasQuoted || text.find_first_of(std::string_view(specials, 4)) != std::string_view::npos;
    if (!quote) {
        AppendInEncoding(out, text, dialect.encoding);
        return;
    }
    std::string encoded;
    AppendInEncoding(encoded, text, dialect.encoding);
    out += '"';
    for (const char c : encoded) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendSpliced(std::string& out, const TextRecord& record, const RowCells& cells, const TextDialect& dialect) {
    // The record's bytes up to each written field, the written value in
    // place of the field's bytes, then the bytes after the last one.
    const auto fieldCount = static_cast<std::int32_t>(record.fields.size());
    std::size_t copied = 0;  // bytes of the record written so far
    std::int32_t column = fieldCount;  // the last column the line holds so far
    for (const WrittenCell& cell : cells) {
        if (cell.column <= fieldCount) {
            const FieldSpan span = record.fields[static_cast<std::size_t>(cell.column - 1)];
            out.append(record.bytes.data() + copied, span.offset - copied);
            AppendValue(out, cell, record.Field(static_cast<std::size_t>(cell.column - 1)).starts_with('"'),
                        dialect);
            copied = span.offset + span.length;
            continue;
        }
        if (copied < record.bytes.size()) {
            out.append(record.bytes.data() + copied, record.bytes.size() - copied);
            copied = record.bytes.size();
        }
        out.append(static_cast<std::size_t>(cell.column - column), dialect.separator);
        column = cell.column;
        AppendValue(out, cell, false, dialect);
    }
    out.append(record.bytes.data() + copied, record.bytes.size() - copied);
}

constexpr std::size_t kSpillAt = std::size_t{1} << 20;

[[noreturn]] void WriteFailed() {
    throw WorkbookError(std::string("no se pudo escribir el archivo (") + output::FileErrorText(errno) + ")");
}

}  // namespace

TextOutput::TextOutput(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) WriteFailed();
    buffer_.reserve(kSpillAt + 4096);
}

void TextOutput::Append(std::string_view bytes) {
    buffer_ += bytes;
    Spill();
}

void TextOutput::Flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size())
        WriteFailed();
    written_ += buffer_.size();
    buffer_.clear();
    if (std::fflush(file_.get()) != 0) WriteFailed();
}

void TextOutput::Spill() {
    if (buffer_.size() < kSpillAt) return;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) WriteFailed();
    written_ += buffer_.size();
    buffer_.clear();
}

void TextOutput::Close() {
    Flush();
    if (std::fclose(file_.release()) != 0) WriteFailed();
}

void SpliceRecords(DelimitedReader& reader, std::int32_t& row, std::int32_t lastRow, const WrittenCells& written,
                   const TextDialect& dialect, TextOutput& out, std::string& lineEnd) {
    TextRecord record;
    RowCells cells;
    std::int32_t nextWritten = written.NextRow(row + 1);
    std::string& buffer = out.Buffer();
    while ((lastRow == 0 || row < lastRow) && reader.Next(record)) {
        ++row;
        if (row == nextWritten) {
            written.RowCells(row, cells);
            AppendSpliced(buffer, record, cells, dialect);
            nextWritten = written.NextRow(row + 1);
        } else {
            buffer += record.bytes;
        }
        buffer += record.lineEnd;
        lineEnd.assign(record.lineEnd);
        out.Spill();
    }
}

void AppendRowsBelow(std::int32_t row, std::string_view lineEnd, const WrittenCells& written,
                     const TextDialect& dialect, TextOutput& out) {
    std::int32_t nextWritten = written.NextRow(row + 1);
    if (nextWritten == 0) return;
    std::string& buffer = out.Buffer();
    if (row > 0 && lineEnd.empty()) buffer += dialect.lineEnd;
    const TextRecord empty{{}, {}, {FieldSpan{}}, 0};
    RowCells cells;
    while (nextWritten != 0) {
        for (++row; row < nextWritten; ++row) buffer += dialect.lineEnd;
        written.RowCells(row, cells);
        AppendSpliced(buffer, empty, cells, dialect);
        buffer += dialect.lineEnd;
        nextWritten = written.NextRow(row + 1);
        out.Spill();
    }
}

}  // namespace trevalco::workbook
