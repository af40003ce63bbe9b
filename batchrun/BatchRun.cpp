#include "BatchRun.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <system_error>

#include "CellReference.h"
#include "Int16.h"
#include "ConversionsAhead.h"
#include "RunMessages.h"

namespace trevalco::batch {

namespace {

bool AnyEmpty(const PageColumns& page) {
    const auto letters = AllLetters(page);
    if (std::any_of(letters.begin(), letters.end(), [](const std::string& l) { return l.empty(); }))
        return true;
    const auto* utm = std::get_if<UtmColumns>(&page);
    return utm != nullptr && !utm->zone;
}

// Positions of each page's roles in the order RolesOf lists them.
namespace decimal {
enum : std::size_t { kLat, kLon, kNorth, kEast, kLat2, kLon2, kNorth2, kEast2 };
}
namespace dms {
enum : std::size_t {
    kLatD, kLatM, kLatS, kLonD, kLonM, kLonS,
    kLat, kLon, kNorth, kEast, kLat2, kLon2, kNorth2, kEast2
};
}
namespace utm {
enum : std::size_t { kNorth, kEast, kLat, kLon, kNorth2, kEast2, kLat2, kLon2 };
}

}  // namespace

// The open workbook, its sheet and the page's columns as numbers.
struct BatchRun::Sheet {
    explicit Sheet(workbook::Workbook opened) : book(std::move(opened)) {}

    workbook::Workbook book;
    workbook::Worksheet* sheet = nullptr;
    std::vector<std::int32_t> columns;  // in the order of RolesOf
    std::vector<std::string> letters;
    std::int32_t nameColumn = 0;        // 0: none

    cells::CellValue Cell(std::int32_t row, std::size_t role) const {
        return sheet->Cell(row, columns[role]);
    }
};

BatchRun::BatchRun(RunSetup setup, dialogs::Dialogs& dialogs, ProgressSink& progress)
    : setup_(std::move(setup)), dialogs_(dialogs), progress_(progress) {}

BatchRun::~BatchRun() = default;

bool BatchRun::CheckPreconditions() {
    if (setup_.workbookPath.empty()) {
        dialogs_.Show(SelectWorkbookMessage());
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(setup_.workbookPath), error)) {
        dialogs_.Show(FileNotFoundMessage());
        return false;
    }
    if (AnyEmpty(setup_.columns)) {
        dialogs_.Show(SelectColumnsMessage());
        return false;
    }
    return true;
}

RunResult BatchRun::Run() {
    result_ = {};
    if (!CheckPreconditions()) return result_;

    OutputGuard guard(OutputPath(), dialogs_);
    if (!HoldOutput(guard)) return result_;

    progress_.Show();
    progress_.SetStatus(kWaitStatus);
    setup_.pumpEvents();
    try {
        if (setup_.sheetName.empty())
            throw workbook::WorkbookError("No se eligió ninguna hoja del libro «" +
                                          setup_.workbookPath + "».");
        workbook::OpenOptions options = setup_.openOptions;
        if (setup_.stopRequested) options.stopRequested = setup_.stopRequested;
        Sheet sheet(workbook::Workbook::Open(setup_.workbookPath, options));
        // Refused only now, so that a wrong sheet name is told first (the
        // sheet itself is not read for it).
        if (guard.RefusesExisting() && sheet.book.HasSheet(setup_.sheetName)) {
            progress_.Finish();
            result_.end = RunEnd::KeptOutput;
            return result_;
        }
        sheet.sheet = &sheet.book.Sheet(setup_.sheetName);
        // A sheet that could not be saved is refused before any row is worked.
        try {
            sheet.sheet->CheckRowOrder();
        } catch (const workbook::WorkbookError& error) {
            throw workbook::WorkbookError("No se puede guardar el libro «" + guard.Path().string() + "»: " + error.what() + ".");
        }
        sheet.book.SetActiveSheet(setup_.sheetName);
        sheet.letters = AllLetters(setup_.columns);
        for (const std::string& letter : sheet.letters) {
            const std::int32_t column = workbook::ColumnIndex(letter);
            if (column == 0)
                throw workbook::WorkbookError("La columna «" + letter +
                                              "» no existe en una hoja (van de A a XFD).");
            sheet.columns.push_back(column);
        }
        if (!setup_.nameColumn.empty()) {
            sheet.nameColumn = workbook::ColumnIndex(setup_.nameColumn);
            if (sheet.nameColumn == 0)
                throw workbook::WorkbookError("La columna «" + setup_.nameColumn +
                                              "» no existe en una hoja (van de A a XFD).");
        }
        lastSaveEnd_ = setup_.now();
        readRoles_ = static_cast<std::size_t>(std::count_if(RolesOf(setup_.columns).begin(), RolesOf(setup_.columns).end(),
                                                            [](const ColumnRole& role) { return role.read; }));
        lastDataRow_ = LastDataRow(sheet);
        if (!CheckFilledColumns(sheet)) {
            progress_.Finish();
            return result_;
        }

        result_.progressMaximum = CountRows(sheet);
        progress_.SetMaximum(result_.progressMaximum);
        progress_.SetStatus(kConvertingStatus);

        const LoopEnd loopEnd = RunRows(sheet, guard);
        if (loopEnd == LoopEnd::Stopped || StopRequested()) return Stop(guard);
        result_.rowsUnreached = CountUnreached(sheet);
        return Finish(sheet, guard, loopEnd);
    } catch (const workbook::Interrupted&) {
        return Stop(guard);
    } catch (const std::exception& error) {
        // The workbook (when open) is closed by now; nothing of it runs.
        guard.Abandon();
        progress_.Finish();
        dialogs_.Show(WorkbookFailure(error.what()));
        result_.end = RunEnd::Failed;
        result_.output.reset();
        return result_;
    }
}

std::filesystem::path BatchRun::OutputPath() const {
    if (!setup_.outputPath.empty()) return std::filesystem::path(setup_.outputPath);
    return OutputPathOf(setup_.workbookPath).value_or(std::filesystem::path());
}

bool BatchRun::HoldOutput(OutputGuard& guard) {
    switch (guard.Take()) {
        case OutputGuard::Hold::Held: break;
        case OutputGuard::Hold::InUse: result_.end = RunEnd::OutputInUse; return false;
        case OutputGuard::Hold::Failed: result_.end = RunEnd::Failed; return false;
    }
    if (!guard.CheckOfficeLock(setup_.officeLock, result_.officeLock)) {
        result_.end = RunEnd::OfficeLocked;
        return false;
    }
    if (!guard.DecideOnExisting(setup_.existingOutput)) {
        result_.end = RunEnd::KeptOutput;
        return false;
    }
    return true;
}

RunResult BatchRun::Finish(Sheet& sheet, OutputGuard& guard, LoopEnd loopEnd) {
    const std::filesystem::path written = guard.Commit(sheet.book);
    // In place: from here on the run has ended well, whatever comes.
    result_.output = written;
    const std::string fileName = written.filename().string();
    if (setup_.announceOutput) {
        dialogs::Message saved = std::holds_alternative<DecimalColumns>(setup_.columns)
                                     ? DecimalSavedMessage(fileName)
                                     : OtherSavedMessage(fileName);
        // Rows of data the run never reached: the counts on a line of their own.
        if (result_.rowsUnreached > 0)
            saved.text += "\n" + RowCountsLine(result_.rowsConverted, result_.rowsSkipped, result_.rowsUnreached);
        dialogs_.Show(saved);
    }
    sheet.book.Close();
    progress_.Finish();
    result_.end = loopEnd == LoopEnd::DataEnded ? RunEnd::Completed : RunEnd::Cancelled;
    return result_;
}

RunResult BatchRun::Stop(OutputGuard& guard) {
    guard.Abandon();
    progress_.Finish();
    result_.end = RunEnd::Stopped;
    result_.output.reset();
    return result_;
}

bool BatchRun::HasInput(const Sheet& sheet, std::int32_t row) const {
    for (std::size_t role = 0; role < readRoles_; ++role)
        if (!cells::IsEmptyCell(sheet.Cell(row, role))) return true;
    return false;
}

std::int32_t BatchRun::LastDataRow(const Sheet& sheet) const {
    for (std::int32_t row = sheet.sheet->LastRow(); row > 0; --row)
        if (HasInput(sheet, row)) return row;
    return 0;
}

std::int32_t BatchRun::CountUnreached(const Sheet& sheet) const {
    std::int32_t unreached = 0;
    for (std::int32_t row = result_.lastRow + 1; row <= lastDataRow_; ++row) unreached += HasInput(sheet, row);
    return unreached;
}

bool BatchRun::WillWrite(const Sheet& sheet, std::int32_t row) const {
    const bool dms = std::holds_alternative<DmsColumns>(setup_.columns);
    for (std::size_t role = 0; role < readRoles_; ++role) {
        const cells::CellValue cell = sheet.Cell(row, role);
        // Empty minutes and seconds are read as zero.
        if (dms && role % 3 != 0 && cells::IsEmptyCell(cell)) continue;
        if (!cells::NumberIn(cell, setup_.separators)) return false;
    }
    return true;
}

bool BatchRun::CheckFilledColumns(const Sheet& sheet) {
    if (setup_.filledColumns == ExistingOutput::Replace) return true;
    const auto outputs = std::span(sheet.columns).subspan(readRoles_);
    if (outputs.empty() || sheet.sheet->LastColumn() < *std::min_element(outputs.begin(), outputs.end())) return true;
    std::vector<bool> filled(sheet.columns.size(), false);
    FilledColumns found;
    const auto holdsData = [&](std::int32_t row, std::size_t role) { return !cells::IsEmptyCell(sheet.Cell(row, role)); };
    for (std::int32_t row = 1; row <= lastDataRow_; ++row) {
        // The output cells first: most rows have none, and reading them is cheap.
        bool any = false;
        for (std::size_t role = readRoles_; role < sheet.columns.size() && !any; ++role) any = holdsData(row, role);
        if (!any || !WillWrite(sheet, row)) continue;
        ++found.rows;
        for (std::size_t role = readRoles_; role < sheet.columns.size(); ++role) {
            if (!holdsData(row, role)) continue;
            if (found.firstCell.empty()) found.firstCell = sheet.letters[role] + std::to_string(row);
            filled[role] = true;
        }
    }
    if (found.rows == 0) return true;
    for (std::size_t role = readRoles_; role < sheet.columns.size(); ++role)
        if (filled[role]) found.columns += (found.columns.empty() ? "" : ", ") + sheet.letters[role];
    if (setup_.filledColumns == ExistingOutput::Ask &&
        dialogs_.Show(FilledColumnsQuestion(found.columns, found.rows)) == dialogs::Answer::Ok)
        return true;
    result_.filledColumns = std::move(found);
    result_.end = RunEnd::KeptColumns;
    return false;
}

// The bar's maximum: one past the fourth empty cell of the first input
// column from the last row with data on, so the run never passes it.
std::int32_t BatchRun::CountRows(const Sheet& sheet) const {
    std::int32_t row = std::max(1, lastDataRow_);
    std::int32_t empty = 0;
    while (empty < 4) {
        if (cells::IsEmptyCell(sheet.Cell(row, 0))) ++empty;
        ++row;
    }
    return row;
}

bool BatchRun::ContinueLoop() const {
    // A sheet has no row past its last: data that fills it ends there.
    if (row_ > workbook::kMaxRows) return false;
    if (std::holds_alternative<DecimalColumns>(setup_.columns)) return emptyRows_ < 3;
    if (std::holds_alternative<DmsColumns>(setup_.columns)) return skipped_ <= 3;
    return emptyRows_ <= 3;
}

BatchRun::LoopEnd BatchRun::RunRows(Sheet& sheet, OutputGuard& guard) {
    row_ = 1;
    emptyRows_ = 0;
    skipped_ = 0;
    LoopEnd end = LoopEnd::DataEnded;
    std::optional<ConversionsAhead> ahead;  // decimal degrees: from the first row with a position
    while (ContinueLoop()) {
        const std::int32_t emptyBefore = emptyRows_;
        const std::int16_t skippedBefore = skipped_;
        RowEnd rowEnd = RowEnd::Next;
        rowWrote_ = rowPrompted_ = rowConverted_ = false;
        result_.lastRow = row_;
        try {
            if (std::holds_alternative<DecimalColumns>(setup_.columns))
                rowEnd = DecimalRow(sheet, ahead);
            else if (std::holds_alternative<DmsColumns>(setup_.columns))
                rowEnd = DmsRow(sheet);
            else
                rowEnd = UtmRow(sheet);
        } catch (const Overflow&) {
            // A value the engine cannot hold: the row's data is not usable.
            rowEnd = Ask(RowPrompt(row_, kInvalidRowText));
        }
        if (rowEnd == RowEnd::Stop) return LoopEnd::Cancelled;
        // An empty or skipped row with data below it is told, but does not
        // bring the end of the data nearer.
        if (row_ < lastDataRow_) {
            emptyRows_ = emptyBefore;
            skipped_ = skippedBefore;
        }
        CountRow();
        if (!FinishRow(sheet, guard, end)) return end;
    }
    return end;
}

bool BatchRun::FinishRow(Sheet& sheet, OutputGuard& guard, LoopEnd& end) {
    ++row_;
    progress_.SetRow(row_);
    setup_.pumpEvents();
    if (setup_.stopRequested && setup_.stopRequested()) {
        end = LoopEnd::Stopped;
        return false;
    }
    if (progress_.ClosedByUser()) {
        end = LoopEnd::Cancelled;
        return false;
    }
    if (row_ % 1000 == 0) InterimSave(sheet, guard);
    return true;
}

void BatchRun::InterimSave(Sheet& sheet, OutputGuard& guard) {
    const Clock::time_point start = setup_.now();
    const Clock::duration spacing = std::max(setup_.interimSaveSpacing, 2 * lastSaveTook_);
    if (start - lastSaveEnd_ < spacing) return;
    guard.SaveRecovery(sheet.book);
    ++result_.interimSaves;
    lastSaveEnd_ = setup_.now();
    lastSaveTook_ = lastSaveEnd_ - start;
}

void BatchRun::CountRow() {
    if (rowWrote_) {
        if (!rowConverted_) ++result_.rowsSourceOnly;
    } else if (rowPrompted_) {
        ++result_.rowsSkipped;
    }
}

BatchRun::RowEnd BatchRun::Ask(const dialogs::Message& message) {
    if (dialogs_.Show(message) != dialogs::Answer::Ok) return RowEnd::Stop;
    rowPrompted_ = true;
    return RowEnd::Next;
}

void BatchRun::WriteText(Sheet& sheet, std::size_t role, std::string_view text, const number_text::Mask& mask) {
    sheet.sheet->WriteNumber(row_, sheet.columns[role], text, mask.Decimals());
    rowWrote_ = true;
}

core::Settings BatchRun::PointSettings() const {
    core::Settings settings;
    settings.direction = setup_.directionKey();
    settings.forced = setup_.forcedZone();
    if (const auto* utm = std::get_if<UtmColumns>(&setup_.columns)) settings.zone = utm->zone;
    settings.rules = core::InputRules::SheetRow;
    settings.separators = setup_.separators;
    settings.shifts = setup_.shifts;
    return settings;
}

void BatchRun::ShowReports(const Sheet& sheet, const core::Outcome& outcome) {
    for (std::uint8_t i = 0; i < outcome.reportCount; ++i) {
        const core::Report& report = outcome.reports[i];
        if (report.notice == core::Notice::NoParameters) {
            dialogs_.Show(dialogs::NoParametersMessage());
        } else {
            const std::string cell = sheet.letters[report.value] + "," + std::to_string(row_);
            dialogs_.Show(ZeroNotice(dialogs::CellMessage(cell, dialogs::kZeroNoticeText)));
        }
    }
}

BatchRun::RowEnd BatchRun::DecimalRow(Sheet& sheet, std::optional<ConversionsAhead>& ahead) {
    using namespace decimal;
    ConversionsAhead::Cells cells{sheet.Cell(row_, kLat), sheet.Cell(row_, kLon)};
    const core::Settings settings = PointSettings();
    const core::Outcome* made = ahead ? ahead->Find(row_, cells, settings) : nullptr;
    core::Outcome own;
    if (!made) {
        core::ConvertPointInto(core::Notation::DecimalDegrees, {cells.first, cells.second}, settings, own);
        made = &own;
        // The rows ahead are worked out on the other cores once a row holds a position.
        if (!ahead && own.hasSource) {
            const auto read = [&sheet](std::int32_t row) {
                return ConversionsAhead::Cells(sheet.Cell(row, kLat), sheet.Cell(row, kLon));
            };
            ahead.emplace(settings, read, row_ + 1);
        }
    }
    const core::Outcome& outcome = *made;
    switch (outcome.failed) {
        case core::Check::Empty: ++emptyRows_; return Ask(RowPrompt(row_, kEmptyRowText));
        case core::Check::NotNumeric: return Ask(RowPrompt(row_, kInvalidRowText));
        case core::Check::OutOfLimits: return Ask(RowPrompt(row_, kOutOfLimitsText));
        default: break;
    }
    ShowReports(sheet, outcome);
    WriteText(sheet, kNorth, outcome.texts->source.northing, core::MetresMask());
    WriteText(sheet, kEast, outcome.texts->source.easting, core::MetresMask());
    // Without a shift of its own, or outside the transformation range, the
    // row gets no target columns.
    if (outcome.Converted()) WriteTarget(sheet, outcome, {kLat2, kLon2, kNorth2, kEast2});
    return RowEnd::Next;
}

BatchRun::RowEnd BatchRun::DmsRow(Sheet& sheet) {
    using namespace dms;
    const core::Values values{sheet.Cell(row_, kLatD), sheet.Cell(row_, kLatM), sheet.Cell(row_, kLatS),
                              sheet.Cell(row_, kLonD), sheet.Cell(row_, kLonM), sheet.Cell(row_, kLonS)};
    const core::Outcome outcome = core::ConvertPoint(core::Notation::DegreesMinutesSeconds, values, PointSettings());
    ShowReports(sheet, outcome);
    if (outcome.failed == core::Check::Cell) {
        // A bad cell: OK skips the row and counts it toward the end of the data.
        const std::string cell = sheet.letters[outcome.value] + "," + std::to_string(row_);
        if (dialogs_.Show(CellPrompt(dialogs::CellMessage(cell, dialogs::CellPromptText(outcome.cell)))) !=
            dialogs::Answer::Ok)
            return RowEnd::Stop;
        skipped_ = Checked16(skipped_ + 1);
        rowPrompted_ = true;
        return RowEnd::Next;
    }
    WritePosition(sheet, outcome.texts->source, {kLat, kLon, kNorth, kEast});
    if (outcome.Converted()) WriteTarget(sheet, outcome, {kLat2, kLon2, kNorth2, kEast2});
    return RowEnd::Next;
}

BatchRun::RowEnd BatchRun::UtmRow(Sheet& sheet) {
    using namespace utm;
    const core::Outcome outcome = core::ConvertPoint(
        core::Notation::Utm, {sheet.Cell(row_, kNorth), sheet.Cell(row_, kEast)}, PointSettings());
    switch (outcome.failed) {
        case core::Check::Empty: ++emptyRows_; return Ask(RowPrompt(row_, kEmptyRowText));
        case core::Check::NotNumeric:
        case core::Check::Zone:
        case core::Check::NoPosition: return Ask(RowPrompt(row_, kInvalidRowText));
        default: break;
    }
    WriteText(sheet, kLat, outcome.texts->source.latitude, core::DegreesMask());
    WriteText(sheet, kLon, outcome.texts->source.longitude, core::DegreesMask());
    // Outside the input range the row keeps its source position only.
    if (outcome.failed == core::Check::OutOfLimits) return RowEnd::Next;
    ShowReports(sheet, outcome);
    if (outcome.failed == core::Check::TransformationRange) return Ask(RowPrompt(row_, kOutOfLimitsText));
    if (outcome.Converted()) WriteTarget(sheet, outcome, {kLat2, kLon2, kNorth2, kEast2});
    return RowEnd::Next;
}

void BatchRun::WritePosition(Sheet& sheet, const core::PositionTexts& texts, const PositionRoles& roles) {
    WriteText(sheet, roles.latitude, texts.latitude, core::DegreesMask());
    WriteText(sheet, roles.longitude, texts.longitude, core::DegreesMask());
    WriteText(sheet, roles.northing, texts.northing, core::MetresMask());
    WriteText(sheet, roles.easting, texts.easting, core::MetresMask());
}

void BatchRun::WriteTarget(Sheet& sheet, const core::Outcome& outcome, const PositionRoles& roles) {
    WritePosition(sheet, outcome.texts->target, roles);
    rowConverted_ = true;
    ++result_.rowsConverted;
    if (setup_.converted) {
        const cells::CellValue name =
            sheet.nameColumn ? sheet.sheet->Cell(row_, sheet.nameColumn) : cells::CellValue();
        setup_.converted({row_, name, outcome});
    }
}

}  // namespace trevalco::batch
