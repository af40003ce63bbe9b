// The worker's side of the page: a batch run's messages and progress, carried
// to the page as they come. The run never waits for the page. A question is
// answered OK at once (the answer that goes on) and the page asks the user,
// one box at a time, in the run's order. Where the user answers otherwise, or
// presses Cancel, the page runs the batch again from the start with the
// answers given so far and the row reached: a run is a function of its
// workbook, its settings and its answers, so that run writes what the first
// would have written had it waited.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Dialogs.h"
#include "ProgressSink.h"

namespace trevalco::web {

class PageProgress final : public batch::ProgressSink {
public:
    // `stopAfter`: the run ends (as when the user closes the progress window)
    // once that row is finished; 0: never.
    explicit PageProgress(std::int32_t stopAfter) : stopAfter_(stopAfter) {}

    void Show() override;
    void SetStatus(std::string_view text) override;
    void SetMaximum(std::int32_t maximum) override;
    void SetRow(std::int32_t row) override;
    void Finish() override;
    bool ClosedByUser() const override;

    // The row being worked on (1 before the run has told any).
    std::int32_t Row() const { return row_; }

private:
    std::int32_t stopAfter_;
    std::int32_t row_ = 1;
    double lastNote_ = 0;
};

class PageDialogs final : public dialogs::Dialogs {
public:
    // `given`: the answers the page has had from the user already, one a
    // message in the run's order ('1' OK, '0' Cancel); those messages are
    // answered with them and not sent again.
    PageDialogs(std::string given, const PageProgress& progress) : given_(std::move(given)), progress_(progress) {}

    dialogs::Answer Show(const dialogs::Message& message) override;
    // The workbook is chosen on the page before a run: never asked here.
    std::optional<std::string> ChooseFileToOpen(const dialogs::OpenFileRequest& request) override;

private:
    std::string given_;
    std::size_t shown_ = 0;
    const PageProgress& progress_;
};

}  // namespace trevalco::web
