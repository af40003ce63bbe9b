// The worker's side of the page: the prompts, the progress and Cancel of a
// batch run, carried to the page as messages. A question waits (ASYNCIFY)
// until the page answers it; the run lets the worker read its messages at
// the event pump.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Dialogs.h"
#include "ProgressSink.h"

namespace trevalco::web {

class PageDialogs final : public dialogs::Dialogs {
public:
    dialogs::Answer Show(const dialogs::Message& message) override;
    // The workbook is chosen on the page before a run: never asked here.
    std::optional<std::string> ChooseFileToOpen(const dialogs::OpenFileRequest& request) override;
};

class PageProgress final : public batch::ProgressSink {
public:
    void Show() override;
    void SetStatus(std::string_view text) override;
    void SetMaximum(std::int32_t maximum) override;
    void SetRow(std::int32_t row) override;
    void Finish() override;
    // Cancel on the page's Avance.
    bool ClosedByUser() const override;
};

// Lets the worker take the page's messages (Cancel) at most every few
// milliseconds: each pause costs an unwinding of the stack.
void PumpPageMessages();

}  // namespace trevalco::web
