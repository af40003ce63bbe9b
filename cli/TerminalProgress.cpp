#include "TerminalProgress.h"

#include <algorithm>

namespace trevalco::cli {

namespace {
constexpr int kBarWidth = 30;
constexpr auto kRedrawSpacing = std::chrono::milliseconds(100);
}  // namespace

TerminalProgress::TerminalProgress(std::FILE* stream, bool draw) : stream_(stream), draw_(draw) {}

void TerminalProgress::Show() {
    shown_ = true;
    Draw();
}

void TerminalProgress::SetStatus(std::string_view text) {
    status_ = std::string(text);
    Draw();
}

void TerminalProgress::SetMaximum(std::int32_t maximum) { maximum_ = maximum; }

void TerminalProgress::SetRow(std::int32_t row) {
    row_ = row;
    if (!draw_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDrawn_ < kRedrawSpacing) return;
    Draw();
}

void TerminalProgress::Finish() {
    ClearLine();
    shown_ = false;
    status_.clear();
    row_ = 0;
}

void TerminalProgress::ClearLine() {
    if (!draw_ || !shown_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
}

void TerminalProgress::Draw() {
    if (!draw_ || !shown_) return;
    lastDrawn_ = std::chrono::steady_clock::now();
    std::string line = "\r\033[K[";
    const double fraction =
        maximum_ > 0 ? std::clamp(static_cast<double>(row_) / maximum_, 0.0, 1.0) : 0.0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    line += "] ";
    line += status_;
    if (row_ > 0) {
        line += ' ';
        line += std::to_string(row_);
    }
    std::fputs(line.c_str(), stream_);
    std::fflush(stream_);
}

}  // namespace trevalco::cli
