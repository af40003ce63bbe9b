// The original part as a writer that parses it copies it: the input is kept
// from the first byte not yet dealt with, and the parser's events decide how
// far it goes to the output unchanged (CopyTo) and what is dropped (SkipTo),
// to be replaced by what the writer writes in its place. Offsets count from
// the start of the part, as the parser's do.
#pragma once

#include <cstdint>
#include <string>

namespace trevalco::workbook {

class CopiedInput {
public:
    explicit CopiedInput(std::string& out) : out_(out) {}

    // Keeps the next bytes of the input; returns where they now lie, valid
    // until the next call of Take or Release.
    const char* Take(const char* data, std::size_t size) {
        const std::size_t before = kept_.size();
        kept_.append(data, size);
        return kept_.data() + before;
    }
    // Drops what is dealt with once there is much of it (or all is), keeping
    // the unfinished tail.
    void Release(std::size_t least) {
        const auto done = static_cast<std::size_t>(cursor_ - keptStart_);
        if (done > least || done == kept_.size()) {
            kept_.erase(0, done);
            keptStart_ = cursor_;
        }
    }

    // Copies the input up to `to` to the output.
    void CopyTo(std::int64_t to) {
        if (to <= cursor_) return;
        out_.append(kept_, static_cast<std::size_t>(cursor_ - keptStart_), static_cast<std::size_t>(to - cursor_));
        cursor_ = to;
    }
    // Drops the input up to `to`.
    void SkipTo(std::int64_t to) {
        if (to > cursor_) cursor_ = to;
    }
    // Copies every byte kept.
    void CopyAll() { CopyTo(keptStart_ + static_cast<std::int64_t>(kept_.size())); }

    // Whether the start tag at `offset`, `length` bytes long, is an empty
    // element's ("<row r=\"5\"/>").
    bool StartTagIsEmpty(std::int64_t offset, std::int64_t length) const {
        const std::int64_t slash = offset + length - 2 - keptStart_;
        return length >= 2 && slash >= 0 && static_cast<std::size_t>(slash) < kept_.size() &&
               kept_[static_cast<std::size_t>(slash)] == '/';
    }

private:
    std::string& out_;
    std::string kept_;              // the input from keptStart_ on
    std::int64_t keptStart_ = 0;
    std::int64_t cursor_ = 0;       // the input before this is dealt with (copied or dropped)
};

}  // namespace trevalco::workbook
