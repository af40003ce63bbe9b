#include "TextBook.h"

#include "DelimitedWriter.h"
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

TextBook TextBook::Open(const std::filesystem::path& path, const TextLimits& limits) {
    TextBook book;
    book.source_ = path;
    book.limits_ = limits;
    book.sheetName_ = std::string(StemOf(path.filename().string()));
    std::error_code error;
    book.size_ = std::filesystem::file_size(path, error);
    if (!error && book.size_ > limits.maxFileBytes)
        throw WorkbookError("es demasiado grande para una hoja (más de " + std::to_string(limits.maxFileBytes >> 20) +
                            " MB)");
    book.modified_ = std::filesystem::last_write_time(path, error);
    {
        // The dialect comes from the first lines; the whole file is then read
        // once to check it and to learn its encoding.
        DelimitedReader sniffer(path, ';', limits);
        book.dialect_ = DetectDialect(sniffer.Head(kHeadBytes), TabByDefault(path));
        book.dialect_.byteOrderMark = !sniffer.Preamble().empty();
    }
    DelimitedReader reader(path, book.dialect_.separator, limits);
    Utf8Validator utf8;
    TextRecord record;
    while (reader.Next(record)) {
        utf8.Feed(record.bytes);
        utf8.Feed(record.lineEnd);
    }
    book.dialect_.encoding = utf8.Valid() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    return book;
}

CellGrid TextBook::ReadCells() const {
    CheckUnchanged();
    DelimitedReader reader(source_, dialect_.separator, limits_);
    const NumberText::Separators separators{std::string(1, dialect_.decimal), ""};
    CellGrid grid;
    TextRecord record;
    std::string text;
    std::string utf8;
    std::int32_t row = 0;
    while (reader.Next(record)) {
        ++row;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            const std::string_view field = record.Field(i);
            if (field.empty()) continue;
            const auto column = static_cast<std::int32_t>(i + 1);
            text.clear();
            AppendFieldText(text, field);
            if (const auto number = NumberText::ReadNumber(text, separators)) {
                grid.AddNumber(row, column, *number, false);
                continue;
            }
            utf8.clear();
            AppendAsUtf8(utf8, text, dialect_.encoding);
            if (!grid.AddOwnText(row, column, utf8, false))
                throw WorkbookError("sus textos ocupan más de 4 GB");
        }
    }
    grid.Finish();
    return grid;
}

void TextBook::Write(const WrittenCells& written, const std::filesystem::path& target) const {
    CheckUnchanged();
    WriteDelimited(source_, dialect_, limits_, written, target);
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
