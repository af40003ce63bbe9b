// Plain rows (see PlainRows) rewritten in stretches of about a megabyte on
// several threads at once, the stretches joined in order: rewriting the rows
// of a large sheet would otherwise keep one core busy while the others wait
// for it to compress what it gives.
//
// A stretch ends at a row's end tag. The first, short one is rewritten in
// order at once, so that the formats the first numbers need exist before the
// copies take their snapshot. A copy of the rules starts from the row that
// the stretch before ends with, read from that stretch's last row tag, and
// takes number formats from a snapshot of the workbook's. Whatever
// a copy cannot do alone (a row number it guessed wrong, a number that needs
// a new format, anything it finds wrong) is done again in order by the
// writer's own rules, which tell what is wrong if anything is: the bytes are
// always those of rewriting every row in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "CellStyles.h"
#include "PlainRows.h"
#include "RowRules.h"

namespace trevalco::workbook {

class ParallelPlainRows {
public:
    static constexpr std::size_t kStretchBytes = 1 << 20;
    static constexpr std::size_t kLeadBytes = 1 << 16;

    // `rules` and `out` are the writer's; `styles` are the ones `rules` was
    // given (may be null); `part` names the part in messages.
    ParallelPlainRows(RowRules& rules, CellStyles* styles, std::string& out, std::string part,
                      std::size_t stretchBytes = kStretchBytes);
    ~ParallelPlainRows();
    ParallelPlainRows(const ParallelPlainRows&) = delete;
    ParallelPlainRows& operator=(const ParallelPlainRows&) = delete;

    // As PlainRows::Take; the rows' bytes may reach `out` later than given,
    // all of them by the call with `last`.
    void Take(const char* data, std::size_t size, bool last);

private:
    struct Rewritten {
        std::string out;
        std::int32_t lastRow = 0;
        bool done = false;
    };
    struct Stretch {
        std::shared_ptr<const std::string> bytes;
        std::int32_t after = 0;  // the row its rules were told came before
        std::future<Rewritten> rewritten;  // none: left to the rules in order
    };

    static Rewritten Rewrite(RowRules rules, std::shared_ptr<const CellStyles::Known> known,
                             std::shared_ptr<const std::string> bytes, std::int32_t after, std::string part);
    void CutStretches();
    void Launch(std::string bytes);
    void JoinOldest();
    void JoinAll();

    RowRules& rules_;
    CellStyles* styles_;
    std::string& out_;
    std::string part_;
    std::size_t stretchBytes_;
    PlainRows inOrder_;
    std::string rowEnd_;  // "</row>", with the sheet's prefix
    std::string pending_;
    std::deque<Stretch> inFlight_;
    std::optional<std::int32_t> nextAfter_;  // the row the next stretch follows, when known
    bool led_ = false;  // the first short stretch rewritten in order
    bool allInOrder_ = false;
};

}  // namespace trevalco::workbook
