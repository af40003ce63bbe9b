#include "WorkerBridge.h"

#include <emscripten/emscripten.h>

#include "Json.h"

// The worker script defines trevalcoMessage (a message for the user, with
// the row being worked on) and trevalcoProgress.
EM_JS(void, PageMessage, (const char* json, int row), { trevalcoMessage(UTF8ToString(json), row); });
EM_JS(void, PageProgressNote, (const char* kind, int value, const char* text),
      { trevalcoProgress(UTF8ToString(kind), value, UTF8ToString(text)); });

namespace trevalco::web {

dialogs::Answer PageDialogs::Show(const dialogs::Message& message) {
    const std::size_t index = shown_++;
    if (index < given_.size()) return given_[index] == '1' ? dialogs::Answer::Ok : dialogs::Answer::Cancel;
    PageMessage(MessageJson(message).c_str(), progress_.Row());
    return dialogs::Answer::Ok;
}

std::optional<std::string> PageDialogs::ChooseFileToOpen(const dialogs::OpenFileRequest&) { return std::nullopt; }

void PageProgress::Show() { PageProgressNote("show", 0, ""); }
void PageProgress::SetStatus(std::string_view text) { PageProgressNote("status", 0, std::string(text).c_str()); }
void PageProgress::SetMaximum(std::int32_t maximum) { PageProgressNote("maximum", maximum, ""); }

void PageProgress::SetRow(std::int32_t row) {
    row_ = row;
    // The page needs a row now and then, not every one of a million; the
    // clock itself is a call out of the module, so it is read every few rows.
    if (row % 64 != 0) return;
    const double now = emscripten_get_now();
    if (now - lastNote_ < 50) return;
    lastNote_ = now;
    PageProgressNote("row", row, "");
}

void PageProgress::Finish() { PageProgressNote("finish", 0, ""); }

// Told after each finished row, with the next one's number set.
bool PageProgress::ClosedByUser() const { return stopAfter_ > 0 && row_ - 1 >= stopAfter_; }

}  // namespace trevalco::web
