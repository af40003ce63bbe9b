// A batch run on a workbook the test writes: scripted dialogs, a recording
// progress sink, a clock the test moves, and what the engine's own chain
// expects in each written cell.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "Chain.h"
#include "RecordingProgress.h"
#include "RunMessages.h"
#include "ScriptedDialogs.h"
#include "SheetMaker.h"
#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::batch::test {

inline const std::string kSheet = "Puntos";

class RunFixture : public ::testing::Test {
protected:
    fs::path Book(const std::vector<TestRow>& rows, const std::string& name = "datos.xlsx") {
        const fs::path path = folder / name;
        WriteSheet(path, kSheet, rows);
        return path;
    }

    RunSetup Setup(const fs::path& path, PageColumns columns) {
        RunSetup setup;
        setup.workbookPath = path.string();
        setup.sheetName = kSheet;
        setup.columns = Filled(std::move(columns));
        setup.directionKey = [this] {
            ++keyReads;
            return key;
        };
        setup.forcedZone = [this] {
            ++zoneReads;
            return forced;
        };
        setup.separators = separators;
        setup.pumpEvents = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        setup.stopRequested = [this] { return stop; };
        setup.now = [this] { return now; };
        return setup;
    }

    // The columns the test left empty get those their selectors offer first.
    static PageColumns Filled(PageColumns page) {
        const PageColumns defaults = WithFirstOfferedColumns(page);
        for (const ColumnRole& role : RolesOf(page)) {
            std::string& letter = *LetterOf(page, role.name);
            if (letter.empty()) letter = *LetterOf(defaults, role.name);
        }
        if (auto* utm = std::get_if<UtmColumns>(&page); utm != nullptr && !utm->zone) utm->zone = 18;
        return page;
    }

    RunResult Run(RunSetup setup) {
        BatchRun run(std::move(setup), dialogs, progress);
        current = &run;
        RunResult result = run.Run();
        current = nullptr;
        return result;
    }

    // Answers the next n message boxes with OK.
    void Ok(int n = 1) {
        for (int i = 0; i < n; ++i) dialogs.Answer(dialogs::Answer::Ok);
    }
    void Cancel() { dialogs.Answer(dialogs::Answer::Cancel); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : dialogs.Messages()) texts.push_back(message.text);
        return texts;
    }

    std::string Text(double value, const char* mask) const {
        return NumberText::Format(value, mask, separators);
    }

    workbook::test::TestFolder folder;
    testing::ScriptedDialogs dialogs;
    RecordingProgress progress;
    std::string key = std::string(kSirgasToPsad56);
    Util::ForcedZone forced = Util::ForcedZone::Off();
    NumberText::Separators separators = NumberText::Invariant();
    Clock::time_point now{};
    std::function<void()> onPump;
    bool stop = false;
    int pumps = 0;
    int keyReads = 0;
    int zoneReads = 0;
    BatchRun* current = nullptr;
};

// An output workbook read back.
class Output {
public:
    explicit Output(const fs::path& path) : book_(workbook::Workbook::Open(path)) {}
    Util::CellValue operator()(int row, const std::string& column) {
        return book_.Sheet(kSheet).Cell(row, column);
    }
    bool Empty(int row, const std::string& column) {
        return std::holds_alternative<std::monostate>((*this)(row, column));
    }

private:
    workbook::Workbook book_;
};

inline Util::CellValue T(const std::string& text) { return Util::CellValue(text); }
// A result as written: the number that the mask's text shows.
inline Util::CellValue N(double value, const char* mask) {
    return Util::CellValue(std::stod(NumberText::Format(value, mask, NumberText::Invariant())));
}

}  // namespace trevalco::batch::test
