#include "SheetReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <deque>
#include <future>
#include <thread>

#include "CellReference.h"
#include "PlainContent.h"
#include "PrefetchSource.h"
#include "WorkbookError.h"
#include "XmlParser.h"
#include "XmlText.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Without blanks at either end (a loop: this runs twice a cell).
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Shown(std::string_view text) {
    return std::string(text.substr(0, 40)) + (text.size() > 40 ? "…" : "");
}

// What a piece of rows read on another thread brings back.
struct RowsPiece {
    std::string bytes;  // kept until the piece is merged: read again in order if it failed
    CellGrid grid;
    std::int32_t firstRow = 0;
    std::int32_t lastRow = 0;
    std::int32_t lastColumn = 0;
    std::int64_t lines = 0;  // line ends in the bytes
    bool plain = true;
    bool read = false;
};

class SheetHandler final : public XmlHandler {
public:
    // A handler for a piece of rows wrapped in <w><sheetData>…</sheetData></w>
    // refuses rows without a number: their number depends on the rows before.
    SheetHandler(CellGrid& grid, bool piece) : grid_(grid), piece_(piece) {}
    XmlParser* parser = nullptr;

    // Between two rows of sheetData, outside every cell.
    bool AtRowsLevel() const { return inSheetData_ && depth_ == 2 && !inCell_; }
    std::int64_t RowsStart() const { return layout_.start; }

    void Report(RowsPiece& piece) const {
        piece.firstRow = firstRow_;
        piece.lastRow = row_;
        piece.lastColumn = column_;
        piece.plain = plainRows_;
    }
    // Takes in a piece of rows read elsewhere, as if they had been parsed here.
    void Absorb(RowsPiece& piece) {
        if (piece.firstRow != 0 && piece.firstRow <= row_) grid_.NoteRowOutOfOrder(piece.firstRow, row_);
        if (!grid_.Append(std::move(piece.grid))) parser->Fail("tiene demasiado texto");
        if (piece.lastRow != 0) row_ = piece.lastRow;
        column_ = piece.lastColumn;
        plainRows_ = plainRows_ && piece.plain;
    }

    void OnStart(const char* name, const char** attributes) override {
        const std::string_view local = LocalName(name);
        ++depth_;
        if (inSheetData_) NoteRowsElement(local);
        else if (depth_ == 2 && local == "sheetData") StartSheetData();
        if (inCell_) {
            if (local == "v") {
                capturing_ = true;
                sawValue_ = true;
            } else if (local == "f") {
                formula_ = true;
            } else if (local == "is") {
                inline_ = true;
            } else if (local == "rPh") {
                ++phonetic_;
            } else if (local == "t" && inline_ && phonetic_ == 0) {
                capturing_ = true;
            }
            return;
        }
        if (local == "c") StartCell(attributes);
        else if (local == "row") StartRow(attributes);
    }

    void OnEnd(const char* name) override {
        if (inSheetData_ && depth_ == 2) EndSheetData();
        --depth_;
        if (!inCell_) return;
        const std::string_view local = LocalName(name);
        if (local == "v" || local == "t") capturing_ = false;
        else if (local == "rPh") --phonetic_;
        else if (local == "c") EndCell();
    }

    void OnOther() override {
        if (inSheetData_) plainRows_ = false;
    }

    void OnText(std::string_view text) override {
        if (capturing_) {
            if (inline_) inlineText_ += text;
            else value_ += text;
        }
    }

private:
    // Notes where the rows lie and whether they are plain (rows of cells of
    // values only), for saving.
    void StartSheetData() {
        plainRows_ = !sawSheetData_;
        sawSheetData_ = inSheetData_ = true;
        layout_.start = parser->EventOffset() + parser->EventLength();
    }
    void NoteRowsElement(std::string_view local) {
        static constexpr std::string_view kPlain[] = {"row", "c", "v"};
        const int level = depth_ - 3;
        if (level < 0 || level > 2 || local != kPlain[level]) plainRows_ = false;
    }
    void EndSheetData() {
        inSheetData_ = false;
        layout_.end = parser->EventOffset();
        layout_.plain = plainRows_ && parser->EventLength() > 0 && layout_.end >= layout_.start;
        grid_.SetRowsLayout(layout_);
    }

    void StartRow(const char** attributes) {
        const char* r = FindAttribute(attributes, "r");
        if (r == nullptr && piece_) {
            parser->Fail("tiene una fila sin número");
            return;
        }
        std::int64_t row = row_ + 1;
        if (r != nullptr) {
            const std::string_view text = Trimmed(r);
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
            if (error != std::errc() || end != text.data() + text.size() || text.empty()) row = -1;
        }
        if (row < 1 || row > kMaxRows) {
            parser->Fail("tiene una fila fuera de la hoja (" + (r ? Shown(r) : std::to_string(row)) +
                         "; el máximo es 1048576)");
            return;
        }
        if (row <= row_) grid_.NoteRowOutOfOrder(static_cast<std::int32_t>(row), row_);
        row_ = static_cast<std::int32_t>(row);
        if (firstRow_ == 0) firstRow_ = row_;
        column_ = 0;
    }

    void StartCell(const char** attributes) {
        const char* r = nullptr;
        const char* type = nullptr;
        for (const char** at = attributes; *at != nullptr; at += 2) {
            if (std::strcmp(*at, "r") == 0) r = at[1];
            else if (std::strcmp(*at, "t") == 0) type = at[1];
        }
        if (r != nullptr) {
            const auto position = ParseCellReference(Trimmed(r));
            if (!position) {
                parser->Fail("tiene una referencia de celda no válida o fuera de la hoja («" + Shown(r) + "»)");
                return;
            }
            cellRow_ = position->row;
            column_ = position->column;
        } else {
            if (row_ == 0) {
                parser->Fail("tiene una celda sin fila");
                return;
            }
            if (column_ >= kMaxColumns) {
                parser->Fail("tiene una celda más allá de la columna XFD");
                return;
            }
            cellRow_ = row_;
            ++column_;
        }
        if (type == nullptr) typeText_.clear();
        else typeText_.assign(type);
        inCell_ = true;
        formula_ = false;
        sawValue_ = false;
        inline_ = false;
        capturing_ = false;
        phonetic_ = 0;
        value_.clear();
        inlineText_.clear();
    }

    void EndCell() {
        inCell_ = false;
        capturing_ = false;
        const std::string_view type = typeText_;
        if (formula_ && !sawValue_ && type != "inlineStr") {
            AddText(kNoResultText);
            return;
        }
        if (type == "inlineStr" || (value_.empty() && !inlineText_.empty())) {
            DecodeEscapes(inlineText_);
            AddText(inlineText_);
            return;
        }
        const std::string_view value = type == "str" ? std::string_view(value_) : Trimmed(value_);
        if (type == "s") {
            if (value.empty()) return;
            std::uint64_t index = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error != std::errc() || end != value.data() + value.size() || index > UINT32_MAX) {
                parser->Fail("tiene un índice de texto compartido no válido («" + Shown(value) + "» en " +
                             CellName({cellRow_, column_}) + ")");
                return;
            }
            grid_.AddSharedText(cellRow_, column_, static_cast<std::uint32_t>(index), formula_);
        } else if (type == "b") {
            if (!value.empty()) AddText(value == "1" || value == "true" ? kTrueText : kFalseText);
        } else if (type.empty() || type == "n") {
            if (value.empty()) return;  // a formatted empty cell
            double number = 0.0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error == std::errc() && end == value.data() + value.size())
                grid_.AddNumber(cellRow_, column_, number, formula_);
            else
                AddText(value);
        } else {
            // "str" (a formula's text), "e" (an error value such as #N/A), "d" (ISO date).
            if (value.empty() && type != "str") return;
            std::string text(value);
            DecodeEscapes(text);
            AddText(text);
        }
    }

    void AddText(std::string_view text) {
        if (!grid_.AddOwnText(cellRow_, column_, text, formula_)) parser->Fail("tiene demasiado texto");
    }

    CellGrid& grid_;
    bool piece_ = false;
    std::int32_t firstRow_ = 0;
    std::int32_t row_ = 0;
    std::int32_t column_ = 0;
    std::int32_t cellRow_ = 0;
    std::string typeText_;
    std::string value_;
    std::string inlineText_;
    bool inCell_ = false;
    bool formula_ = false;
    bool sawValue_ = false;
    bool inline_ = false;
    bool capturing_ = false;
    int phonetic_ = 0;
    int depth_ = 0;
    bool inSheetData_ = false;
    bool sawSheetData_ = false;
    bool plainRows_ = false;
    RowsLayout layout_;
};

// A piece of rows read on its own, as the content of a sheetData element.
// Rows in the plain subset of XML that LibreOffice and Excel write are
// scanned without expat, several times faster; whatever strays from it is
// parsed by expat.
bool ScanPiece(RowsPiece& piece, const std::string& part) {
    SheetHandler handler(piece.grid, true);
    XmlParser parser(handler, part);  // parses nothing: takes the handler's failures
    handler.parser = &parser;
    const char* none[] = {nullptr};
    handler.OnStart("w", none);
    handler.OnStart("sheetData", none);
    if (!ScanPlainContent(piece.bytes, handler) || parser.Failed()) return false;
    handler.OnEnd("sheetData");
    handler.OnEnd("w");
    handler.Report(piece);
    return true;
}

bool ParsePiece(RowsPiece& piece, const std::string& part) {
    SheetHandler handler(piece.grid, true);
    XmlParser parser(handler, part);
    handler.parser = &parser;
    try {
        static constexpr std::string_view kOpen = "<w><sheetData>", kClose = "</sheetData></w>";
        parser.Feed(kOpen.data(), kOpen.size(), false);
        parser.Feed(piece.bytes.data(), piece.bytes.size(), false);
        parser.Feed(kClose.data(), kClose.size(), true);
        handler.Report(piece);
        return true;
    } catch (const WorkbookError&) {
        return false;  // read again in order, where what is wrong (if anything) is told with its line
    }
}

RowsPiece ReadPiece(std::string bytes, const std::string& part) {
    RowsPiece piece;
    piece.bytes = std::move(bytes);
    if (!ScanPiece(piece, part)) {
        piece.grid = CellGrid();
        if (!ParsePiece(piece, part)) return piece;
    }
    for (const char* at = piece.bytes.data(); (at = static_cast<const char*>(std::memchr(
             at, '\n', static_cast<std::size_t>(piece.bytes.data() + piece.bytes.size() - at)))) != nullptr;
         ++at)
        ++piece.lines;
    piece.read = true;
    return piece;
}

// Reads a sheet part in order on this thread, while the rows between the
// sheetData tags are read on other threads in pieces that each end with
// "</row>": parsing is most of the cost of reading a large sheet. The parser
// here stays the judge of the whole document: it parses the part up to the
// rows (and hands them out only when it agrees that they start there), then
// from the end of the last piece on. A piece is taken in only when it reads on
// its own as well-formed content, every row numbered. Each piece taken in
// then starts where the one before ended, between two elements, so the
// document is well formed exactly when the rest is, and the cells are those
// a reading in order gives. From the first piece that does not read on its
// own (a "</row>" inside a comment, a row without a number, damage),
// everything is read here, in order, and what is wrong is told with its line.
class SheetRead {
public:
    SheetRead(std::string part, std::size_t pieceBytes)
        : part_(std::move(part)), pieceBytes_(pieceBytes), handler_(grid_, false), parser_(handler_, part_) {
        handler_.parser = &parser_;
        if (pieceBytes_ == 0) mode_ = Mode::InOrder;
    }

    void Take(const char* data, std::size_t size) {
        if (mode_ == Mode::InOrder) {
            parser_.Feed(data, size, false);
            return;
        }
        pending_.append(data, size);
        if (mode_ == Mode::Head) FindRows();
        if (mode_ == Mode::Rows) CutPieces();
        if (mode_ == Mode::InOrder) FeedPending();
    }

    CellGrid Finish() {
        MergeAll();
        parser_.Feed(pending_.data(), pending_.size(), true);
        pending_.clear();
        grid_.Finish();
        return std::move(grid_);
    }

private:
    enum class Mode { Head, Rows, InOrder };
    static constexpr std::string_view kRowsTag = "<sheetData";
    static constexpr std::string_view kRowEnd = "</row>";
    static constexpr std::size_t kMostHead = 16 << 20;
    static constexpr std::size_t kMostRow = 64 << 20;

    // Parses up to the end of the sheetData start tag; rows are handed out
    // only when the parser agrees that they start there.
    void FindRows() {
        for (std::size_t at = pending_.find(kRowsTag, searched_); at != std::string::npos;
             at = pending_.find(kRowsTag, at + 1)) {
            const std::size_t after = at + kRowsTag.size();
            const std::size_t end = pending_.find('>', after);
            if (end == std::string::npos) {  // the tag is not all here yet
                searched_ = at;
                return;
            }
            if (pending_[after] != '>' && !IsBlank(pending_[after])) continue;
            parser_.Feed(pending_.data(), end + 1, false);
            fed_ += static_cast<std::int64_t>(end + 1);
            pending_.erase(0, end + 1);
            const bool rowsHere = handler_.AtRowsLevel() && handler_.RowsStart() == fed_;
            mode_ = rowsHere ? Mode::Rows : Mode::InOrder;
            return;
        }
        searched_ = pending_.size() > kRowsTag.size() ? pending_.size() - kRowsTag.size() : 0;
        if (pending_.size() > kMostHead) mode_ = Mode::InOrder;
    }

    void CutPieces() {
        for (;;) {
            const std::size_t from = pieceBytes_ > kRowEnd.size() ? pieceBytes_ - kRowEnd.size() : 0;
            if (pending_.size() < from + kRowEnd.size()) return;
            const std::size_t at = pending_.find(kRowEnd, from);
            if (at == std::string::npos) {
                if (pending_.size() > kMostRow) SwitchToInOrder();
                return;
            }
            const std::size_t cut = at + kRowEnd.size();
            if (inFlight_.size() >= MostInFlight()) MergeOldest();
            inFlight_.push_back(
                std::async(std::launch::async, ReadPiece, std::string(pending_.data(), cut), std::cref(part_)));
            pending_.erase(0, cut);
        }
    }

    static std::size_t MostInFlight() { return std::max(2U, std::thread::hardware_concurrency()) + 1; }

    void MergeOldest() {
        RowsPiece piece = inFlight_.front().get();
        inFlight_.pop_front();
        if (piece.read && !pieceFailed_) {
            handler_.Absorb(piece);
            parser_.Skip(static_cast<std::int64_t>(piece.bytes.size()), piece.lines);
        } else {
            pieceFailed_ = true;
            parser_.Feed(piece.bytes.data(), piece.bytes.size(), false);
        }
    }

    void MergeAll() {
        while (!inFlight_.empty()) MergeOldest();
    }

    void SwitchToInOrder() {
        mode_ = Mode::InOrder;
        MergeAll();
    }

    void FeedPending() {
        parser_.Feed(pending_.data(), pending_.size(), false);
        pending_.clear();
        pending_.shrink_to_fit();
    }

    std::string part_;
    std::size_t pieceBytes_;
    CellGrid grid_;
    SheetHandler handler_;
    XmlParser parser_;
    Mode mode_ = Mode::Head;
    std::string pending_;
    std::size_t searched_ = 0;
    std::int64_t fed_ = 0;
    std::deque<std::future<RowsPiece>> inFlight_;
    bool pieceFailed_ = false;
};

}  // namespace

CellGrid ReadSheet(PartSource& source, const std::string& part, std::size_t pieceBytes) {
    SheetRead read(part, pieceBytes);
    std::string buffer(1 << 17, '\0');
    for (;;) {
        const std::size_t got = source.Read(buffer.data(), buffer.size());
        if (got == 0) break;
        read.Take(buffer.data(), got);
    }
    return read.Finish();
}

CellGrid ReadSheet(const ZipArchive& archive, const std::string& part) {
    const auto index = archive.Find(part);
    if (!index) throw WorkbookError("falta la parte " + part);
    EntrySource entry(archive, *index);
    PrefetchSource source(entry);  // inflating overlaps with parsing
    return ReadSheet(source, part, kRowsPieceBytes);
}

}  // namespace trevalco::workbook
