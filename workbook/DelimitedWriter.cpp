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

class Output {
public:
    explicit Output(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {
        if (!file_) Failed();
        buffer_.reserve(kFlushAt + 4096);
    }
    std::string& Buffer() { return buffer_; }
    void Spill() {
        if (buffer_.size() >= kFlushAt) Flush();
    }
    void Close() {
        Flush();
        if (std::fclose(file_.release()) != 0) Failed();
    }

private:
    static constexpr std::size_t kFlushAt = std::size_t{1} << 20;
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    [[noreturn]] static void Failed() {
        throw WorkbookError(std::string("no se pudo escribir el archivo (") + FileErrorText(errno) + ")");
    }
    void Flush() {
        if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size())
            Failed();
        buffer_.clear();
    }
    std::unique_ptr<std::FILE, Closer> file_;
    std::string buffer_;
};

// A written value in the file's dialect: a number with the file's decimal
// separator in place of ".", a text in its encoding, quoted when the field
// was or when the text holds a separator, a quote or a line break.
void AppendValue(std::string& out, const WrittenCell& cell, bool wasQuoted, const TextDialect& dialect) {
    if (cell.IsNumber()) {
        if (wasQuoted) out += '"';
        for (const char c : cell.text) out += c == '.' ? dialect.decimal : c;
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
    const auto fieldCount = static_cast<std::int32_t>(record.fields.size());
    std::size_t next = 0;
    const std::int32_t last = std::max(fieldCount, cells.back().column);
    for (std::int32_t column = 1; column <= last; ++column) {
        if (column > 1) out += dialect.separator;
        const std::string_view field =
            column <= fieldCount ? record.Field(static_cast<std::size_t>(column - 1)) : std::string_view();
        if (next < cells.size() && cells[next].column == column) {
            AppendValue(out, cells[next], field.starts_with('"'), dialect);
            ++next;
        } else {
            out += field;
        }
    }
}

}  // namespace

void WriteDelimited(const std::filesystem::path& source, const TextDialect& dialect, const TextLimits& limits,
                    const WrittenCells& written, const std::filesystem::path& target) {
    DelimitedReader reader(source, dialect.separator, limits);
    Output output(target);
    std::string& out = output.Buffer();
    out += reader.Preamble();
    TextRecord record;
    RowCells cells;
    std::int32_t row = 0;
    std::int32_t nextWritten = written.NextRow(1);
    std::string_view lastLineEnd = dialect.lineEnd;
    while (reader.Next(record)) {
        ++row;
        if (row == nextWritten) {
            written.RowCells(row, cells);
            AppendSpliced(out, record, cells, dialect);
            nextWritten = written.NextRow(row + 1);
        } else {
            out += record.bytes;
        }
        out += record.lineEnd;
        lastLineEnd = record.lineEnd;
        output.Spill();
    }
    // Rows written below the file's last line.
    if (nextWritten != 0 && lastLineEnd.empty()) out += dialect.lineEnd;
    const TextRecord empty{{}, {}, {FieldSpan{}}, 0};
    while (nextWritten != 0) {
        for (++row; row < nextWritten; ++row) out += dialect.lineEnd;
        written.RowCells(row, cells);
        AppendSpliced(out, empty, cells, dialect);
        out += dialect.lineEnd;
        nextWritten = written.NextRow(row + 1);
        output.Spill();
    }
    output.Close();
}

}  // namespace trevalco::workbook
