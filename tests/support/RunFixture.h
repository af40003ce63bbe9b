// A batch run on a workbook the test writes: scripted dialogs, a recording
// progress sink, a clock the test moves, and the written cells read back.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "RecordingProgress.h"
#include "RunMessages.h"
#include "ScriptedDialogs.h"
#include "SheetMaker.h"
#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::batch::test {

inline const std::string kSheet = "Puntos";

// An output workbook read back.
class Output {
public:
    explicit Output(const fs::path& path) : book_(workbook::Workbook::Open(path)) {}
    cells::CellValue operator()(int row, const std::string& column) { return book_.Sheet(kSheet).Cell(row, column); }
    bool Empty(int row, const std::string& column) {
        return std::holds_alternative<std::monostate>((*this)(row, column));
    }
    // What a cell shows with the decimals and separator of `like`: its text,
    // or its number (results may be stored as numbers); "" when empty.
    std::string Shown(int row, const std::string& column, const std::string& like = "0.000") {
        const cells::CellValue cell = (*this)(row, column);
        if (const auto* text = std::get_if<std::string>(&cell)) return *text;
        const auto* number = std::get_if<double>(&cell);
        if (number == nullptr) return "";
        const std::size_t point = like.find_first_of(".,");
        const int decimals = point == std::string::npos ? 0 : static_cast<int>(like.size() - point - 1);
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, *number);
        std::string shown = text;
        if (point != std::string::npos && like[point] == ',') shown[shown.find('.')] = ',';
        return shown;
    }
    double Number(int row, const std::string& column) {
        const cells::CellValue cell = (*this)(row, column);
        if (const auto* number = std::get_if<double>(&cell)) return *number;
        const auto* text = std::get_if<std::string>(&cell);
        return text ? std::stod(*text) : std::nan("");
    }
    // The cells from `first` on, one a column, show these texts ("": empty).
    void ExpectRow(int row, char first, const std::vector<std::string>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string column(1, static_cast<char>(first + i));
            EXPECT_EQ(Shown(row, column, texts[i]), texts[i]) << "row " << row << " column " << column;
        }
    }

private:
    workbook::Workbook book_;
};

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
        setup.directionKey = [this] { return key; };
        setup.forcedZone = [this] { return forced; };
        setup.separators = separators;
        setup.pumpEvents = [this] {
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

    workbook::test::TestFolder folder;
    testing::ScriptedDialogs dialogs;
    RecordingProgress progress;
    DirectionKey key = kSirgasToSad69;
    zones::ForcedZone forced = zones::ForcedZone::Off();
    number_text::Separators separators = number_text::Invariant();
    Clock::time_point now{};
    std::function<void()> onPump;
    bool stop = false;
    BatchRun* current = nullptr;
};

inline std::string Prompt(int row, std::string_view text) { return RowPrompt(row, text).text; }
inline cells::CellValue T(const std::string& text) { return cells::CellValue(text); }
// A result as written: the number that the mask's text shows.
inline cells::CellValue N(double value, const char* mask) {
    return cells::CellValue(std::stod(number_text::Format(value, mask, number_text::Invariant())));
}

}  // namespace trevalco::batch::test
