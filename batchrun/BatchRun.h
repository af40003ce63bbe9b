// One batch run over a worksheet: the page's row rules, the progress shown,
// the bad rows asked about, the results written to a copy of the workbook
// saved beside it as "<stem>_1". Knows nothing of widgets: the window and
// trevalco-cli hand it what it reads and how it talks to the user.
//
//   BatchRun run(setup, dialogs, progress);
//   RunResult result = run.Run();
//
// The source workbook is never written; the output is kept safe by an
// OutputGuard from the run's start to its end (its lock, the recovery file
// of the interim saves, the final save moved into place). Interim saves come
// every 1000 rows, not more often than the setup's spacing. A run that fails
// or is stopped leaves the files as they were before it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "ConversionsAhead.h"
#include "NumberText.h"
#include "OfficeLock.h"
#include "OutputGuard.h"
#include "PageColumns.h"
#include "PointCore.h"
#include "ProgressSink.h"
#include "CellValue.h"
#include "UtmZones.h"
#include "Workbook.h"
#include "Dialogs.h"

namespace trevalco::batch {

using Clock = std::chrono::steady_clock;

// A row that got its target columns, as the run tells it.
struct ConvertedRow {
    std::int32_t row = 0;
    cells::CellValue name;
    const core::Outcome& outcome;
};

struct RunSetup {
    std::string workbookPath;
    std::string sheetName;
    PageColumns columns;
    // Read at every row: the direction and the forced-zone setting.
    std::function<DirectionKey()> directionKey;
    std::function<zones::ForcedZone()> forcedZone;
    // Where the shifts come from.
    const bands::ShiftSource* shifts = &bands::ProgramBands();
    // Told of every row that got its target columns, with the cell of
    // `nameColumn` (empty: none), in row order; for a layer of the points.
    std::string nameColumn;
    std::function<void(const ConvertedRow&)> converted;
    // The separators numbers in text cells are read with (results are written
    // as number cells).
    number_text::Separators separators;
    // Lets pending window events run; called once a row.
    std::function<void()> pumpEvents;
    // True once the program is ending: the run stops without saving, also
    // during a LibreOffice conversion or a save that is not yet in place.
    std::function<bool()> stopRequested;
    std::function<Clock::time_point()> now = [] { return Clock::now(); };
    // Interim saves are at least this far apart (and at least twice as far
    // as the last one took).
    Clock::duration interimSaveSpacing = std::chrono::seconds(5);
    ExistingOutput existingOutput = ExistingOutput::Ask;
    // LibreOffice has the output open (its lock file stands beside it): ask
    // whether to replace the file anyway, replace it, or end the run at once
    // (OfficeLocked, no message).
    ExistingOutput officeLock = ExistingOutput::Ask;
    // A chosen output column holds data in a row the run will write: ask
    // (No ends the run before anything is written), replace it, or end the
    // run at once (KeptColumns, no message).
    ExistingOutput filledColumns = ExistingOutput::Ask;
    // The output's path; empty: beside the workbook by the "_1" rule. Its
    // lock, temporary and recovery files go beside it.
    std::string outputPath;
    // Whether the run ends with the saved-file message (the command line
    // prints the path instead).
    bool announceOutput = true;
    workbook::OpenOptions openOptions;
};

enum class RunEnd {
    Precondition,    // a precondition message; nothing opened
    KeptOutput,      // the user would not replace the existing output
    OfficeLocked,    // LibreOffice has the output open; the run was not to replace it
    KeptColumns,     // output columns hold data the run was not to replace; nothing written
    OutputInUse,     // another run holds the output (message shown)
    Completed,       // the data ended; output saved
    Cancelled,       // Cancel on a prompt, or the progress window closed; output saved
    Failed,          // a workbook operation failed (message shown)
    Stopped,         // the program is ending; nothing saved
};

// Output columns that hold data in rows the run would write.
struct FilledColumns {
    std::string columns;      // their letters, "D, E"
    std::int32_t rows = 0;    // how many such rows
    std::string firstCell;    // the first such cell, "D2"
};

struct RunResult {
    RunEnd end = RunEnd::Precondition;
    std::optional<std::filesystem::path> output;  // the workbook written
    std::int32_t rowsConverted = 0;               // rows that got their target columns
    std::int32_t rowsSourceOnly = 0;              // rows that got their source columns only
    std::int32_t rowsSkipped = 0;                 // rows answered OK at a prompt, nothing written
    std::int32_t lastRow = 0;                     // the last row worked on (0: none)
    std::int32_t progressMaximum = 0;
    std::int32_t interimSaves = 0;
    std::optional<output::OfficeLockOwner> officeLock;  // who had the output open in LibreOffice
    std::optional<FilledColumns> filledColumns;         // when the run ended for them
    // Rows below the run's last row, with something in an input column, that
    // the run never reached (after Cancel).
    std::int32_t rowsUnreached = 0;
};

class BatchRun {
public:
    BatchRun(RunSetup setup, dialogs::Dialogs& dialogs, ProgressSink& progress);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    RunResult Run();

    // The row being worked on (0 before the first).
    std::int32_t CurrentRow() const { return row_; }
    // Whether the row being worked on lies below the last row with anything
    // in an input column: its prompts are the end of the data.
    bool PastData() const { return row_ > lastDataRow_; }
    // Whether the row being worked on has columns written already: a prompt
    // then leaves it with them (the UTM page writes a row's source position
    // before it asks about a point outside the transformation range).
    bool RowWritten() const { return rowWrote_; }

private:
    struct Sheet;
    enum class RowEnd { Next, Stop };
    enum class LoopEnd { DataEnded, Cancelled, Stopped };

    bool CheckPreconditions();
    // The output the guard keeps safe (empty: the source names no workbook).
    std::filesystem::path OutputPath() const;
    // Takes the output's lock and settles what may be replaced; false when
    // the run must end.
    bool HoldOutput(OutputGuard& guard);
    LoopEnd RunRows(Sheet& sheet, OutputGuard& guard);
    std::int32_t CountRows(const Sheet& sheet) const;
    // The settings the point core gets for the row being worked on.
    core::Settings PointSettings() const;
    // The last row with anything in an input column (0: none).
    std::int32_t LastDataRow(const Sheet& sheet) const;
    bool HasInput(const Sheet& sheet, std::int32_t row) const;
    // Whether a row's input cells hold numbers: a row the run will write.
    bool WillWrite(const Sheet& sheet, std::int32_t row) const;
    // False when output columns hold data in rows the run will write and
    // the run must end.
    bool CheckFilledColumns(const Sheet& sheet);
    std::int32_t CountUnreached(const Sheet& sheet) const;
    // `ahead` is made at the first row that holds a position within the input range.
    RowEnd DecimalRow(Sheet& sheet, std::optional<ConversionsAhead>& ahead);
    RowEnd DmsRow(Sheet& sheet);
    RowEnd UtmRow(Sheet& sheet);
    // The messages a row's outcome reports along the way.
    void ShowReports(const Sheet& sheet, const core::Outcome& outcome);
    bool ContinueLoop() const;
    // Finishes a row: the progress, the event pump, the interim save.
    // False when the run must stop.
    bool FinishRow(Sheet& sheet, OutputGuard& guard, LoopEnd& end);
    void InterimSave(Sheet& sheet, OutputGuard& guard);
    RunResult Finish(Sheet& sheet, OutputGuard& guard, LoopEnd loopEnd);
    RunResult Stop(OutputGuard& guard);
    bool StopRequested() const { return setup_.stopRequested && setup_.stopRequested(); }
    // Sorts the finished row into converted, source only or skipped.
    void CountRow();

    RowEnd Ask(const dialogs::Message& message);
    // A value's text as the core's mask gave it, as a number cell.
    void WriteText(Sheet& sheet, std::size_t role, std::string_view text, const number_text::Mask& mask);
    // The four columns of a position, by their roles on the page.
    struct PositionRoles {
        std::size_t latitude, longitude, northing, easting;
    };
    void WritePosition(Sheet& sheet, const core::PositionTexts& texts, const PositionRoles& roles);
    // The target columns of a converted row; the row counts as converted.
    void WriteTarget(Sheet& sheet, const core::Outcome& outcome, const PositionRoles& roles);

    RunSetup setup_;
    dialogs::Dialogs& dialogs_;
    ProgressSink& progress_;
    RunResult result_;
    std::int32_t row_ = 0;
    std::int32_t emptyRows_ = 0;   // decimal degrees and UTM pages
    std::int16_t skipped_ = 0;     // degrees-minutes-seconds page (at most 4)
    std::int32_t lastDataRow_ = 0;
    std::size_t readRoles_ = 0;    // the page's input columns come first
    bool rowWrote_ = false;
    bool rowPrompted_ = false;
    bool rowConverted_ = false;
    Clock::time_point lastSaveEnd_{};
    Clock::duration lastSaveTook_{};
};

}  // namespace trevalco::batch
