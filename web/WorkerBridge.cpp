#include "WorkerBridge.h"

#include <emscripten/emscripten.h>

#include "Json.h"

// The worker script defines trevalcoAsk (a promise of the answer: 1 OK,
// 0 Cancel), trevalcoProgress and trevalcoCancelled.
EM_ASYNC_JS(int, PageAsk, (const char* json), { return await trevalcoAsk(UTF8ToString(json)); });
EM_JS(void, PageProgressNote, (const char* kind, int value, const char* text),
      { trevalcoProgress(UTF8ToString(kind), value, UTF8ToString(text)); });
EM_JS(int, PageCancelled, (), { return trevalcoCancelled() ? 1 : 0; });

namespace trevalco::web {

dialogs::Answer PageDialogs::Show(const dialogs::Message& message) {
    return PageAsk(MessageJson(message).c_str()) == 1 ? dialogs::Answer::Ok : dialogs::Answer::Cancel;
}

std::optional<std::string> PageDialogs::ChooseFileToOpen(const dialogs::OpenFileRequest&) { return std::nullopt; }

void PageProgress::Show() { PageProgressNote("show", 0, ""); }
void PageProgress::SetStatus(std::string_view text) { PageProgressNote("status", 0, std::string(text).c_str()); }
void PageProgress::SetMaximum(std::int32_t maximum) { PageProgressNote("maximum", maximum, ""); }

void PageProgress::SetRow(std::int32_t row) {
    // The page needs a row now and then, not every one of a million; the
    // clock itself is a call out of the module, so it is read every few rows.
    if (row % 64 != 0) return;
    static double last = 0;
    const double now = emscripten_get_now();
    if (now - last < 50) return;
    last = now;
    PageProgressNote("row", row, "");
}

void PageProgress::Finish() { PageProgressNote("finish", 0, ""); }
bool PageProgress::ClosedByUser() const { return PageCancelled() != 0; }

void PumpPageMessages() {
    static unsigned calls = 0;
    if (++calls % 64 != 0) return;
    static double last = 0;
    const double now = emscripten_get_now();
    if (now - last < 100) return;
    last = now;
    emscripten_sleep(0);
}

}  // namespace trevalco::web
