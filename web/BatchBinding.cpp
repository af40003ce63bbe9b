// The workbook tab of the page, run in its worker: the sheets of a chosen
// workbook, and a batch run over one of them with the columns of a page. The
// workbook lives in the worker's memory; the output is written beside it.
#include <emscripten/emscripten.h>

#include <array>
#include <string>

#include "BatchRun.h"
#include "ComboColumns.h"
#include "Json.h"
#include "PointTabRules.h"
#include "WorkbookError.h"
#include "WorkerBridge.h"

using namespace trevalco;

namespace {

std::string result;  // the last answer, read by the worker before the next call

// The combo texts, separated by "\x1f", as combos[n] for ComboN.
batch::ComboTexts SplitCombos(std::string_view joined) {
    batch::ComboTexts combos;
    for (std::size_t i = 1; i < combos.size() && !joined.empty(); ++i) {
        const auto cut = joined.find('\x1f');
        combos[i] = std::string(joined.substr(0, cut));
        joined = cut == std::string_view::npos ? std::string_view() : joined.substr(cut + 1);
    }
    return combos;
}

}  // namespace

extern "C" {

// The sheet names of a workbook, or the message that refuses it.
EMSCRIPTEN_KEEPALIVE const char* trevalco_sheets(const char* path) {
    try {
        const workbook::Workbook book = workbook::Workbook::Open(path);
        result = "{\"sheets\":[";
        bool first = true;
        for (const std::string& name : book.SheetNames()) {
            if (!first) result += ',';
            first = false;
            result += web::Quoted(name);
        }
        result += "]}";
    } catch (const std::exception& error) {
        result = "{\"message\":" +
                 web::MessageJson({error.what(), "Error", dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok}) + "}";
    }
    return result.c_str();
}

// page: 0 decimal degrees (Ok_excel), 1 degrees-minutes-seconds
// (OK_GraMinSeg), 2 UTM (Ok_UTM). The direction and forced zone as the
// point binding takes them. `answers`: the user's answers to the run's
// messages so far, one a message ('1' OK, '0' Cancel); `stopAfter`: the row
// after which the user pressed Cancel (0: none). Returns how the run ended
// and the output's path.
EMSCRIPTEN_KEEPALIVE const char* trevalco_batch(const char* path, const char* sheet, int page, const char* combos,
                                                const char* direction, int forcedCheck, int zoneButton,
                                                const char* decimal, const char* group, const char* answers,
                                                int stopAfter) {
    const batch::ComboTexts texts = SplitCombos(combos);
    batch::RunSetup setup;
    setup.workbookPath = path;
    setup.sheetName = sheet;
    if (page == 1)
        setup.columns = batch::DmsPageColumns(texts);
    else if (page == 2)
        setup.columns = batch::UtmPageColumns(texts);
    else
        setup.columns = batch::DecimalPageColumns(texts);
    const std::string key(direction);
    const DirectionKey directionKey =
        point::DirectionOfButtons(key == "SIRGAS_PSAD56", key == "SIRGAS_SAD69", key == "PSAD56_SIRGAS");
    setup.directionKey = [directionKey] { return directionKey; };
    std::array<bool, zones::kForceableZones.size() - 1> buttons{};
    if (zoneButton >= 0 && static_cast<std::size_t>(zoneButton) < buttons.size())
        buttons[static_cast<std::size_t>(zoneButton)] = true;
    const zones::ForcedZone forced = point::ReadForcedZone(forcedCheck, buttons);
    setup.forcedZone = [forced] { return forced; };
    setup.separators = number_text::Separators{decimal, group};
    setup.pumpEvents = [] {};
    setup.stopRequested = [] { return false; };
    // Nothing else writes the worker's memory: no interim saves are needed
    // to survive a crash, and every one would cost a rewrite of the sheet.
    setup.interimSaveSpacing = std::chrono::hours(24 * 365);
    web::PageProgress progress(stopAfter);
    web::PageDialogs dialogs(answers, progress);
    batch::RunResult run;
    try {
        batch::BatchRun batchRun(std::move(setup), dialogs, progress);
        run = batchRun.Run();
    } catch (const std::exception& error) {
        dialogs.Show({error.what(), "Error", dialogs::MessageIcon::Critical, dialogs::Buttons::Ok});
        run.end = batch::RunEnd::Failed;
    }
    result = "{\"end\":" + std::to_string(static_cast<int>(run.end)) + ",\"output\":" +
             (run.output ? web::Quoted(run.output->string()) : std::string("null")) +
             ",\"converted\":" + std::to_string(run.rowsConverted) + "}";
    return result.c_str();
}

}  // extern "C"
