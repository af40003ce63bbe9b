#include "ParallelSheetRead.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "Compat.h"
#include "TaskPool.h"
#include "PlainContent.h"
#include "RowPieces.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

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

}  // namespace

ParallelSheetRead::ParallelSheetRead(std::string part, std::size_t pieceBytes)
    : part_(std::move(part)), pieceBytes_(pieceBytes), handler_(grid_, false), parser_(handler_, part_) {
    handler_.parser = &parser_;
    if (pieceBytes_ == 0) mode_ = Mode::InOrder;
}

ParallelSheetRead::~ParallelSheetRead() {
    for (auto& piece : inFlight_)
        if (piece.valid()) piece.wait();
}

void ParallelSheetRead::Take(const char* data, std::size_t size) {
    if (mode_ == Mode::InOrder) {
        parser_.Feed(data, size, false);
        return;
    }
    pending_.append(data, size);
    if (mode_ == Mode::Head) FindRows();
    if (mode_ == Mode::Rows) CutPieces();
    if (mode_ == Mode::InOrder) FeedPending();
}

CellGrid ParallelSheetRead::Finish() {
    MergeAll();
    parser_.Feed(pending_.data(), pending_.size(), true);
    pending_.clear();
    grid_.Finish();
    return std::move(grid_);
}

void ParallelSheetRead::FindRows() {
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

void ParallelSheetRead::CutPieces() {
    for (;;) {
        const std::size_t from = pieceBytes_ > kRowEnd.size() ? pieceBytes_ - kRowEnd.size() : 0;
        if (pending_.size() < from + kRowEnd.size()) return;
        const std::size_t at = pending_.find(kRowEnd, from);
        if (at == std::string::npos) {
            if (pending_.size() > kMostRow) SwitchToInOrder();
            return;
        }
        const std::size_t cut = at + kRowEnd.size();
        if (inFlight_.size() >= PiecesInFlight()) MergeOldest();
        inFlight_.push_back(
            RunTask(ReadPiece, CutPiece(pending_, cut, pieceBytes_), part_));
    }
}

void ParallelSheetRead::MergeOldest() {
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

void ParallelSheetRead::MergeAll() {
    while (!inFlight_.empty()) MergeOldest();
}

void ParallelSheetRead::SwitchToInOrder() {
    mode_ = Mode::InOrder;
    MergeAll();
}

void ParallelSheetRead::FeedPending() {
    parser_.Feed(pending_.data(), pending_.size(), false);
    pending_.clear();
    pending_.shrink_to_fit();
}

}  // namespace trevalco::workbook
