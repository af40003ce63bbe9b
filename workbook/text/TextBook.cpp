#include "TextBook.h"

#include <algorithm>
#include <cstdio>

#include "NumberText.h"
#include "OutputName.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kHeadBytes = std::size_t{64} << 10;

bool TabByDefault(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".txt";
}

}  // namespace

struct TextBook::Spool {
    output::TempDir folder;
    std::filesystem::path path = folder.Path() / "filas.txt";
    TextOutput out{path};
    std::unique_ptr<DelimitedReader> source;  // at the first row not yet spooled
    std::string lineEnd;                      // of the last row spooled
    std::vector<bool> written;                // per row: whether cells were written into it
    // Where the rows of each batch taken start in the spool: row and byte.
    std::vector<std::pair<std::int32_t, std::uint64_t>> starts;
};

TextBook::TextBook(const std::filesystem::path& path, const TextLimits& limits)
    : source_(path), sheetName_(output::StemOf(path.filename().string())), limits_(limits) {
    std::error_code error;
    size_ = std::filesystem::file_size(path, error);
    if (!error && size_ > limits.maxFileBytes)
        throw WorkbookError("es demasiado grande para una hoja (más de " + std::to_string(limits.maxFileBytes >> 20) +
                            " MB)");
    modified_ = std::filesystem::last_write_time(path, error);
    {
        // The dialect comes from the first lines; the whole file is then read
        // once to check it and to learn its encoding.
        DelimitedReader sniffer(path, ';', limits);
        dialect_ = DetectDialect(sniffer.Head(kHeadBytes), TabByDefault(path));
        dialect_.byteOrderMark = !sniffer.Preamble().empty();
    }
    DelimitedReader reader(path, dialect_.separator, limits);
    Utf8Validator utf8;
    TextRecord record;
    while (reader.Next(record)) {
        ++records_;
        utf8.Feed(record.bytes);
        utf8.Feed(record.lineEnd);
    }
    dialect_.encoding = utf8.Valid() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

TextBook::~TextBook() = default;

cells::CellValue TextBook::ValueOf(std::string_view field) const {
    if (field.empty()) return std::monostate{};
    thread_local std::string text;
    text.clear();
    AppendFieldText(text, field);
    const number_text::Separators separators{std::string(1, dialect_.decimal), ""};
    if (const auto number = number_text::ReadNumber(text, separators)) return *number;
    std::string utf8;
    AppendAsUtf8(utf8, text, dialect_.encoding);
    return utf8;
}

CellGrid TextBook::ReadCells() const {
    CheckUnchanged();
    DelimitedReader reader(source_, dialect_.separator, limits_);
    CellGrid grid;
    TextRecord record;
    std::int32_t row = 0;
    while (reader.Next(record)) {
        ++row;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            const auto column = static_cast<std::int32_t>(i + 1);
            const cells::CellValue value = ValueOf(record.Field(i));
            if (const auto* number = std::get_if<double>(&value))
                grid.AddNumber(row, column, *number, false);
            else if (const auto* text = std::get_if<std::string>(&value); text && !grid.AddOwnText(row, column, *text, false))
                throw WorkbookError("sus textos ocupan más de 4 GB");
        }
    }
    grid.Finish();
    return grid;
}

bool TextBook::Take(const WrittenCells& written) {
    if (written.Empty() || written.FirstRow() <= spooledRows_ || written.LastRow() > records_) return false;
    if (!spool_) {
        spool_ = std::make_unique<Spool>();
        spool_->source = std::make_unique<DelimitedReader>(source_, dialect_.separator, limits_);
        spool_->out.Append(spool_->source->Preamble());
        spool_->written.resize(static_cast<std::size_t>(records_) + 1, false);
    }
    Spool& spool = *spool_;
    spool.starts.emplace_back(spooledRows_ + 1, spool.out.Size());
    SpliceRecords(*spool.source, spooledRows_, written.LastRow(), written, dialect_, spool.out, spool.lineEnd);
    for (std::int32_t row = written.NextRow(written.FirstRow()); row != 0; row = written.NextRow(row + 1))
        spool.written[static_cast<std::size_t>(row)] = true;
    spooledBounds_.Include(written.FirstRow(), written.FirstColumn());
    spooledBounds_.Include(written.LastRow(), written.LastColumn());
    return true;
}

std::optional<cells::CellValue> TextBook::Cell(std::int32_t row, std::int32_t column) const {
    if (!spool_ || row > spooledRows_ || !spool_->written[static_cast<std::size_t>(row)]) return std::nullopt;
    spool_->out.Flush();
    const auto start = std::prev(std::upper_bound(spool_->starts.begin(), spool_->starts.end(),
                                                  std::pair{row, std::uint64_t{UINT64_MAX}}));
    DelimitedReader reader(spool_->path, dialect_.separator, limits_, start->second, 1);
    TextRecord record;
    for (std::int32_t at = start->first; at <= row; ++at) reader.Next(record);
    const auto index = static_cast<std::size_t>(column - 1);
    return index < record.fields.size() ? ValueOf(record.Field(index)) : cells::CellValue{};
}

void TextBook::Write(const WrittenCells& written, const std::filesystem::path& target) {
    CheckUnchanged();
    TextOutput out(target);
    std::int32_t row = 0;
    std::string lineEnd;
    std::uint64_t offset = 0;
    std::int64_t line = 1;
    if (spool_) {
        spool_->out.Flush();
        DelimitedReader spooled(spool_->path, dialect_.separator, limits_);
        out.Append(spooled.Preamble());
        if (!written.Empty() && written.FirstRow() <= spooledRows_) {
            SpliceRecords(spooled, row, spooledRows_, written, dialect_, out, lineEnd);
        } else {
            // Nothing to change in it: the spool is copied as it stands.
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(spool_->path.c_str(), "rb"), std::fclose);
            if (!file) throw WorkbookError("no se pudo leer la copia de trabajo");
            std::fseek(file.get(), static_cast<long>(spooled.Preamble().size()), SEEK_SET);
            char buffer[1 << 16];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
                out.Append({buffer, got});
            row = spooledRows_;
            lineEnd = spool_->lineEnd;
        }
        offset = spool_->source->Offset();
        line = spool_->source->Line();
    }
    DelimitedReader reader(source_, dialect_.separator, limits_, offset, line);
    if (offset == 0) out.Append(reader.Preamble());
    SpliceRecords(reader, row, 0, written, dialect_, out, lineEnd);
    AppendRowsBelow(row, lineEnd, written, dialect_, out);
    out.Close();
}

void TextBook::CheckUnchanged() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(source_, error);
    const auto modified = std::filesystem::last_write_time(source_, error);
    if (error) throw WorkbookError("no se pudo volver a leer el archivo de origen (" + error.message() + ")");
    if (size != size_ || modified != modified_)
        throw WorkbookError("el archivo de origen cambió desde que se abrió; vuelva a abrirlo");
}

}  // namespace trevalco::workbook
