#include "BatchRun.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "CellReference.h"
#include "Leftovers.h"
#include "ConversionsAhead.h"
#include "OutputName.h"
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

std::optional<std::filesystem::path> OutputPathOf(const std::string& sourcePath) {
    const auto format = workbook::FormatOfPath(std::filesystem::path(sourcePath));
    if (!format) return std::nullopt;
    return std::filesystem::path(
        output::OutputPathFor(sourcePath, workbook::ExtensionOf(*format)));
}

// The open workbook, its sheet and the page's columns as numbers.
struct BatchRun::Sheet {
    explicit Sheet(workbook::Workbook opened) : book(std::move(opened)) {}

    workbook::Workbook book;
    workbook::Worksheet* sheet = nullptr;
    std::vector<std::int32_t> columns;  // in the order of RolesOf
    std::vector<std::string> letters;
    std::int32_t nameColumn = 0;        // 0: none

    Util::CellValue Cell(std::int32_t row, std::size_t role) const {
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

    std::optional<output::OutputLock> lock;
    if (!HoldOutput(lock)) return result_;
    const auto existing = OnExistingOutput();
    if (!existing) return result_;

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
        sheet.sheet = &sheet.book.Sheet(setup_.sheetName);
        // A sheet that could not be saved is refused before any row is worked.
        try {
            sheet.sheet->CheckRowOrder();
        } catch (const workbook::WorkbookError& error) {
            throw workbook::WorkbookError("No se puede guardar el libro «" + outputPath_.string() + "»: " + error.what() + ".");
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

        result_.progressMaximum = CountRows(sheet);
        progress_.SetMaximum(result_.progressMaximum);
        progress_.SetStatus(kConvertingStatus);

        const LoopEnd loopEnd = RunRows(sheet);
        if (loopEnd == LoopEnd::Stopped || StopRequested()) return Stop();
        return Finish(sheet, loopEnd, *existing);
    } catch (const workbook::Interrupted&) {
        return Stop();
    } catch (const std::exception& error) {
        // The workbook (when open) is closed by now; nothing of it runs.
        RemoveRecovery(false);
        progress_.Finish();
        dialogs_.Show(WorkbookFailure(error.what()));
        result_.end = RunEnd::Failed;
        result_.output.reset();
        return result_;
    }
}

bool BatchRun::HoldOutput(std::optional<output::OutputLock>& lock) {
    const auto output = OutputPathOf(setup_.workbookPath);
    if (!output) return true;  // not a workbook: opening it says so
    outputPath_ = *output;
    recoveryPath_ = output::RecoveryBaseFor(setup_.workbookPath) + outputPath_.extension().string();
    try {
        pid_t holder = 0;
        lock = output::OutputLock::Take(outputPath_, &holder);
        if (!lock) {
            dialogs_.Show(OutputInUseMessage(outputPath_.string(), holder));
            result_.end = RunEnd::OutputInUse;
            return false;
        }
    } catch (const workbook::WorkbookError& error) {
        dialogs_.Show(WorkbookFailure(error.what()));
        result_.end = RunEnd::Failed;
        return false;
    }
    output::RemoveLeftovers(outputPath_.parent_path());
    return true;
}

std::optional<output::ExistingFile> BatchRun::OnExistingOutput() {
    std::error_code error;
    if (outputPath_.empty() || !std::filesystem::exists(outputPath_, error))
        return output::ExistingFile::Keep;
    switch (setup_.existingOutput) {
        case ExistingOutput::Replace: return output::ExistingFile::Replace;
        case ExistingOutput::Ask:
            if (dialogs_.Show(ReplaceOutputQuestion(outputPath_.string())) == dialogs::Answer::Ok)
                return output::ExistingFile::Replace;
            break;
        case ExistingOutput::Refuse: break;
    }
    result_.end = RunEnd::KeptOutput;
    return std::nullopt;
}

RunResult BatchRun::Finish(Sheet& sheet, LoopEnd loopEnd, output::ExistingFile existing) {
    const std::filesystem::path written =
        sheet.book.SaveAs(output::OutputBaseFor(setup_.workbookPath), existing);
    // In place: from here on the run has ended well, whatever comes.
    result_.output = written;
    RemoveRecovery(true);
    const std::string fileName = written.filename().string();
    if (setup_.announceOutput)
        dialogs_.Show(std::holds_alternative<DecimalColumns>(setup_.columns)
                          ? DecimalSavedMessage(fileName)
                          : OtherSavedMessage(fileName));
    sheet.book.Close();
    progress_.Finish();
    result_.end = loopEnd == LoopEnd::DataEnded ? RunEnd::Completed : RunEnd::Cancelled;
    return result_;
}

RunResult BatchRun::Stop() {
    RemoveRecovery(false);
    progress_.Finish();
    result_.end = RunEnd::Stopped;
    result_.output.reset();
    return result_;
}

std::int32_t BatchRun::CountRows(const Sheet& sheet) const {
    std::int32_t row = 1;
    std::int32_t empty = 0;
    while (empty < 4) {
        if (Util::IsEmptyCell(sheet.Cell(row, 0))) ++empty;
        ++row;
    }
    return row;
}

bool BatchRun::ContinueLoop() const {
    if (std::holds_alternative<DecimalColumns>(setup_.columns)) return emptyRows_ < 3;
    if (std::holds_alternative<DmsColumns>(setup_.columns)) return skipped_ <= 3;
    return emptyRows_ <= 3;
}

BatchRun::LoopEnd BatchRun::RunRows(Sheet& sheet) {
    row_ = 1;
    emptyRows_ = 0;
    skipped_ = 0;
    LoopEnd end = LoopEnd::DataEnded;
    std::optional<ConversionsAhead> ahead;  // decimal degrees: from the first row with a position
    while (ContinueLoop()) {
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
        CountRow();
        if (!FinishRow(sheet, end)) return end;
    }
    return end;
}

bool BatchRun::FinishRow(Sheet& sheet, LoopEnd& end) {
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
    if (row_ % 1000 == 0) InterimSave(sheet);
    return true;
}

void BatchRun::InterimSave(Sheet& sheet) {
    const Clock::time_point start = setup_.now();
    const Clock::duration spacing = std::max(setup_.interimSaveSpacing, 2 * lastSaveTook_);
    if (start - lastSaveEnd_ < spacing) return;
    sheet.book.SaveAs(output::RecoveryBaseFor(setup_.workbookPath));
    wroteInterim_ = true;
    ++result_.interimSaves;
    lastSaveEnd_ = setup_.now();
    lastSaveTook_ = lastSaveEnd_ - start;
}

void BatchRun::RemoveRecovery(bool evenIfNotOurs) noexcept {
    // A recovery file that an earlier, crashed run left is the user's until
    // a complete output takes its place.
    if (recoveryPath_.empty() || (!wroteInterim_ && !evenIfNotOurs)) return;
    std::error_code error;
    std::filesystem::remove(recoveryPath_, error);
    wroteInterim_ = false;
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

void BatchRun::WriteText(Sheet& sheet, std::size_t role, std::string_view text, const NumberText::Mask& mask) {
    sheet.sheet->WriteNumber(row_, sheet.columns[role], text, mask.Decimals());
    rowWrote_ = true;
}

core::Settings BatchRun::PointSettings() const {
    core::Settings settings;
    settings.direction = setup_.directionKey();
    settings.forced = setup_.forcedZone();
    if (const auto* utm = std::get_if<UtmColumns>(&setup_.columns)) settings.zone = utm->zone;
    settings.limits = core::Limits::SheetRow;
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
        own = core::ConvertPoint(core::Notation::DecimalDegrees, {cells.first, cells.second}, settings);
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
    WriteText(sheet, kNorth, outcome.sourceTexts.northing, core::MetresMask());
    WriteText(sheet, kEast, outcome.sourceTexts.easting, core::MetresMask());
    // Without a shift of its own, or outside the transformation range, the
    // row gets no target columns.
    if (outcome.Converted()) WriteTarget(sheet, outcome, {kLat2, kLon2, kNorth2, kEast2});
    return RowEnd::Next;
}

BatchRun::RowEnd BatchRun::DmsRow(Sheet& sheet) {
    using namespace dms;
    core::Values values;
    for (std::size_t role = kLatD; role <= kLonS; ++role) values[role] = sheet.Cell(row_, role);
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
    WriteText(sheet, kLat, outcome.sourceTexts.latitude, core::DegreesMask());
    WriteText(sheet, kLon, outcome.sourceTexts.longitude, core::DegreesMask());
    WriteText(sheet, kNorth, outcome.sourceTexts.northing, core::MetresMask());
    WriteText(sheet, kEast, outcome.sourceTexts.easting, core::MetresMask());
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
    WriteText(sheet, kLat, outcome.sourceTexts.latitude, core::DegreesMask());
    WriteText(sheet, kLon, outcome.sourceTexts.longitude, core::DegreesMask());
    // Outside the input range the row keeps its source position only.
    if (outcome.failed == core::Check::OutOfLimits) return RowEnd::Next;
    ShowReports(sheet, outcome);
    if (outcome.failed == core::Check::TransformationRange) return Ask(RowPrompt(row_, kOutOfLimitsText));
    if (outcome.Converted()) WriteTarget(sheet, outcome, {kLat2, kLon2, kNorth2, kEast2});
    return RowEnd::Next;
}

void BatchRun::WriteTarget(Sheet& sheet, const core::Outcome& outcome, const TargetRoles& roles) {
    WriteText(sheet, roles.latitude, outcome.targetTexts.latitude, core::DegreesMask());
    WriteText(sheet, roles.longitude, outcome.targetTexts.longitude, core::DegreesMask());
    WriteText(sheet, roles.northing, outcome.targetTexts.northing, core::MetresMask());
    WriteText(sheet, roles.easting, outcome.targetTexts.easting, core::MetresMask());
    rowConverted_ = true;
    ++result_.rowsConverted;
    if (setup_.converted) {
        const Util::CellValue name =
            sheet.nameColumn ? sheet.sheet->Cell(row_, sheet.nameColumn) : Util::CellValue();
        setup_.converted({row_, name, outcome});
    }
}

}  // namespace trevalco::batch
