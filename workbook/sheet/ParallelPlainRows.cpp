#include "ParallelPlainRows.h"

#include <algorithm>
#include <utility>

#include "Compat.h"
#include "TaskPool.h"
#include "RowPieces.h"

namespace trevalco::workbook {

ParallelPlainRows::ParallelPlainRows(RowRules& rules, CellStyles* styles, std::string& out, std::string part,
                                     std::size_t stretchBytes)
    : rules_(rules),
      styles_(styles),
      out_(out),
      part_(std::move(part)),
      stretchBytes_(stretchBytes),
      inOrder_(rules, out, part_),
      nextAfter_(rules.LastRow()) {}

ParallelPlainRows::~ParallelPlainRows() {
    for (Stretch& stretch : inFlight_)
        if (stretch.rewritten.valid()) stretch.rewritten.wait();
}

void ParallelPlainRows::Take(const char* data, std::size_t size, bool last) {
    if (allInOrder_) {
        inOrder_.Take(data, size, last);
        return;
    }
    pending_.append(data, size);
    CutStretches();
    if (!last && !allInOrder_) return;
    JoinAll();
    std::string rest = std::move(pending_);
    pending_ = std::string();
    inOrder_.Take(rest.data(), rest.size(), last);
}

void ParallelPlainRows::CutStretches() {
    if (rowEnd_.empty()) rowEnd_ = "</" + rules_.Prefix() + "row>";
    // The first rows are rewritten in order at once, in a short stretch, so
    // that the formats their numbers need exist before any copy takes its
    // snapshot of them: the copies then seldom need a format they lack.
    for (std::size_t size; pending_.size() >= (size = led_ ? stretchBytes_ : std::min(stretchBytes_, kLeadBytes));) {
        const std::size_t at = pending_.find(rowEnd_, size - std::min(size, rowEnd_.size()));
        if (at == std::string::npos) {
            // A row longer than many stretches: rows are rewritten in order from here on.
            if (pending_.size() > 8 * stretchBytes_) allInOrder_ = true;
            return;
        }
        const std::size_t cut = at + rowEnd_.size();
        std::string stretch = CutPiece(pending_, cut, stretchBytes_);
        if (led_) {
            Launch(std::move(stretch));
        } else {
            inOrder_.Take(stretch.data(), stretch.size(), false);
            nextAfter_ = rules_.LastRow();
            led_ = true;
        }
    }
}

void ParallelPlainRows::Launch(std::string bytes) {
    if (inFlight_.size() >= PiecesInFlight()) JoinOldest();
    Stretch stretch;
    stretch.bytes = std::make_shared<const std::string>(std::move(bytes));
    if (nextAfter_) {
        stretch.after = *nextAfter_;
        std::shared_ptr<const CellStyles::Known> known;
        if (styles_ != nullptr) known = std::make_shared<const CellStyles::Known>(styles_->KnownNow());
        stretch.rewritten =
            RunTask(Rewrite, RowRules(rules_), std::move(known), stretch.bytes, stretch.after, part_);
    }
    nextAfter_ = PlainRows::LastRowNumber(*stretch.bytes, rules_.Prefix());
    inFlight_.push_back(std::move(stretch));
}

void ParallelPlainRows::JoinOldest() {
    Stretch stretch = std::move(inFlight_.front());
    inFlight_.pop_front();
    Rewritten rewritten;
    if (stretch.rewritten.valid()) rewritten = stretch.rewritten.get();
    if (rewritten.done && stretch.after == rules_.LastRow() && inOrder_.BetweenRows()) {
        if (out_.empty()) out_ = std::move(rewritten.out);
        else out_ += rewritten.out;
        rules_.StartAfter(rewritten.lastRow);
    } else {
        inOrder_.Take(stretch.bytes->data(), stretch.bytes->size(), false);
    }
}

void ParallelPlainRows::JoinAll() {
    while (!inFlight_.empty()) JoinOldest();
}

ParallelPlainRows::Rewritten ParallelPlainRows::Rewrite(RowRules rules, std::shared_ptr<const CellStyles::Known> known,
                                                        std::shared_ptr<const std::string> bytes, std::int32_t after,
                                                        std::string part) {
    Rewritten result;
    try {
        if (known) rules.UseKnownStyles(known.get());
        rules.StartAfter(after);
        result.out.reserve(bytes->size() * 5 / 2);  // rows with written cells grow to about twice their size
        PlainRows(rules, result.out, std::move(part)).Take(bytes->data(), bytes->size(), true);
        result.lastRow = rules.LastRow();
        result.done = true;
    } catch (...) {
        // Left to the rules in order, which say what is wrong if anything is.
        result = Rewritten();
    }
    return result;
}

}  // namespace trevalco::workbook
