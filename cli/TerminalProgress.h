// The progress of `trevalco-cli batch` as a one-line bar on a terminal;
// nothing at all when the stream is not a terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "ProgressSink.h"

namespace trevalco::cli {

class TerminalProgress final : public batch::ProgressSink {
public:
    // Draws on `stream` when `draw` (the stream is a terminal).
    TerminalProgress(std::FILE* stream, bool draw);

    void Show() override;
    void SetStatus(std::string_view text) override;
    void SetMaximum(std::int32_t maximum) override;
    void SetRow(std::int32_t row) override;
    void Finish() override;
    bool ClosedByUser() const override { return false; }

    // Clears the bar's line, so that a message starts on a clean line; the
    // bar comes back with the next row.
    void ClearLine();

private:
    void Draw();

    std::FILE* stream_;
    bool draw_;
    bool shown_ = false;
    std::string status_;
    std::int32_t maximum_ = 0;
    std::int32_t row_ = 0;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace trevalco::cli
