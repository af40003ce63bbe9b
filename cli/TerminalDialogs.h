// The messages of `trevalco-cli batch`: every message goes to the error
// stream, with the row it concerns; the questions about bad rows are answered
// as --on-bad-row says.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>

#include "BatchSettings.h"
#include "TerminalProgress.h"
#include "Dialogs.h"

namespace trevalco::cli {

class TerminalDialogs final : public dialogs::Dialogs {
public:
    TerminalDialogs(std::FILE* err, BadRowAnswer onBadRow, TerminalProgress& progress);

    // Where the run is, for the row number in front of its messages.
    void SetRowSource(std::function<std::int32_t()> currentRow) { currentRow_ = std::move(currentRow); }
    // Whether the run is past its data: a prompt there is the end of the
    // data, skipped even with --on-bad-row stop.
    void SetPastData(std::function<bool()> pastData) { pastData_ = std::move(pastData); }
    // Whether the row has columns written: going on keeps them, and the
    // report says so rather than that the row is skipped.
    void SetRowWritten(std::function<bool()> rowWritten) { rowWritten_ = std::move(rowWritten); }

    dialogs::Answer Show(const dialogs::Message& message) override;
    std::optional<std::string> ChooseFileToOpen(const dialogs::OpenFileRequest& request) override;

    // How many questions were answered Cancel (the run stopped there).
    int Stops() const { return stops_; }

private:
    std::FILE* err_;
    BadRowAnswer onBadRow_;
    TerminalProgress& progress_;
    std::function<std::int32_t()> currentRow_;
    std::function<bool()> pastData_;
    std::function<bool()> rowWritten_;
    int stops_ = 0;
};

}  // namespace trevalco::cli
