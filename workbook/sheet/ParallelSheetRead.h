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
//
//   ParallelSheetRead read(part, kRowsPieceBytes);
//   while (...) read.Take(data, size);
//   CellGrid grid = read.Finish();
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <string_view>

#include "CellGrid.h"
#include "SheetHandler.h"
#include "XmlParser.h"

namespace trevalco::workbook {

class ParallelSheetRead {
public:
    // `part` names the part in messages; pieces of about `pieceBytes` (0: all
    // read in order on this thread).
    ParallelSheetRead(std::string part, std::size_t pieceBytes);
    // Waits for the pieces still being read.
    ~ParallelSheetRead();
    ParallelSheetRead(const ParallelSheetRead&) = delete;
    ParallelSheetRead& operator=(const ParallelSheetRead&) = delete;

    // The next bytes of the part.
    void Take(const char* data, std::size_t size);
    // Once the part has ended: its cells. Throws WorkbookError as ReadSheet.
    CellGrid Finish();

private:
    enum class Mode { Head, Rows, InOrder };
    static constexpr std::string_view kRowsTag = "<sheetData";
    static constexpr std::string_view kRowEnd = "</row>";
    static constexpr std::size_t kMostHead = 16 << 20;
    static constexpr std::size_t kMostRow = 64 << 20;

    // Parses up to the end of the sheetData start tag; rows are handed out
    // only when the parser agrees that they start there.
    void FindRows();
    void CutPieces();
    void MergeOldest();
    void MergeAll();
    void SwitchToInOrder();
    void FeedPending();

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

}  // namespace trevalco::workbook
