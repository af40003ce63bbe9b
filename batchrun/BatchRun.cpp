#include "BatchRun.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "CellNumbers.h"
#include "CellReference.h"
#include "Leftovers.h"
#include "Chain.h"
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

const NumberText::Mask kDecimalDegrees("###0.0000000000");
const NumberText::Mask kDegrees("##0.0000000000");
const NumberText::Mask kMetres("########0.000");
const NumberText::Mask kUtmMetres("#######0.000");

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
    std::string text;                   // reused for every written cell

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
    if (!CheckOfficeLock()) return result_;
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
        // Refused only now, so that a wrong sheet name is told first.
        if (refuseExisting_) {
            progress_.Finish();
            result_.end = RunEnd::KeptOutput;
            return result_;
        }
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
    const auto output = setup_.outputPath.empty() ? OutputPathOf(setup_.workbookPath)
                                                  : std::optional(std::filesystem::path(setup_.outputPath));
    if (!output) return true;  // not a workbook: opening it says so
    outputPath_ = *output;
    recoveryPath_ = OutputBase().string() + " (incompleto)" + outputPath_.extension().string();
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

std::filesystem::path BatchRun::OutputBase() const {
    return std::filesystem::path(outputPath_).replace_extension();
}

bool BatchRun::CheckOfficeLock() {
    if (outputPath_.empty()) return true;
    auto owner = output::ReadOfficeLock(outputPath_);
    if (!owner) return true;
    switch (setup_.officeLock) {
        case ExistingOutput::Replace: return true;
        case ExistingOutput::Ask:
            if (dialogs_.Show(OfficeLockQuestion(outputPath_.string(), *owner)) == dialogs::Answer::Ok) {
                replaceAgreed_ = true;
                return true;
            }
            break;
        case ExistingOutput::Refuse: break;
    }
    result_.officeLock = std::move(owner);
    result_.end = RunEnd::OfficeLocked;
    return false;
}

std::optional<output::ExistingFile> BatchRun::OnExistingOutput() {
    std::error_code error;
    if (outputPath_.empty() || !std::filesystem::exists(outputPath_, error))
        return output::ExistingFile::Keep;
    if (replaceAgreed_) return output::ExistingFile::Replace;
    switch (setup_.existingOutput) {
        case ExistingOutput::Replace: return output::ExistingFile::Replace;
        case ExistingOutput::Ask:
            if (dialogs_.Show(ReplaceOutputQuestion(outputPath_.string())) == dialogs::Answer::Ok)
                return output::ExistingFile::Replace;
            break;
        case ExistingOutput::Refuse:
            refuseExisting_ = true;
            return output::ExistingFile::Keep;
    }
    result_.end = RunEnd::KeptOutput;
    return std::nullopt;
}

RunResult BatchRun::Finish(Sheet& sheet, LoopEnd loopEnd, output::ExistingFile existing) {
    const std::filesystem::path written =
        sheet.book.SaveAs(OutputBase(), existing);
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
        if (IsEmpty(sheet.Cell(row, 0))) ++empty;
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
    sheet.book.SaveAs(recoveryPath_);
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

void BatchRun::ReportNoParameters() { dialogs_.Show(NoParametersMessage()); }

void BatchRun::Write(Sheet& sheet, std::int32_t column, double value, const NumberText::Mask& mask) {
    sheet.text.clear();
    mask.AppendTo(sheet.text, value, NumberText::Invariant());
    WriteText(sheet, column, sheet.text, mask);
}

void BatchRun::WriteText(Sheet& sheet, std::int32_t column, std::string_view text, const NumberText::Mask& mask) {
    sheet.sheet->WriteNumber(row_, column, text, mask.Decimals());
    rowWrote_ = true;
}

BatchRun::RowEnd BatchRun::DecimalRow(Sheet& sheet, std::optional<ConversionsAhead>& ahead) {
    using namespace decimal;
    const Util::CellValue latCell = sheet.Cell(row_, kLat);
    const Util::CellValue lonCell = sheet.Cell(row_, kLon);
    if (IsEmpty(latCell) || IsEmpty(lonCell)) {
        ++emptyRows_;
        return Ask(RowPrompt(row_, kEmptyRowText));
    }
    const auto lat = NumberIn(latCell, setup_.separators);
    const auto lon = NumberIn(lonCell, setup_.separators);
    if (!lat || !lon) return Ask(RowPrompt(row_, kInvalidRowText));
    const double latitude = std::fabs(*lat);
    const double longitude = std::fabs(*lon);
    if (!chain::InBatchInputRange(latitude, longitude))
        return Ask(RowPrompt(row_, kOutOfLimitsText));

    const std::string key = Key();
    const Util::ForcedZone forced = Forced();
    if (!ahead) {
        const auto read = [&sheet](std::int32_t row) {
            return std::pair(sheet.Cell(row, kLat), sheet.Cell(row, kLon));
        };
        ahead.emplace(ConversionsAhead::Settings{key, forced, setup_.separators, kDecimalDegrees, kMetres},
                      read, row_);
    }
    if (const auto* made = ahead->Find(row_, latitude, longitude, key, forced))
        return WriteConversion(sheet, *made, forced);

    const auto start = chain::StartGeographic(key, latitude, longitude, forced);
    if (!start.shift.found) ReportNoParameters();
    Write(sheet, sheet.columns[kNorth], start.sourceUtm.northing, kMetres);
    Write(sheet, sheet.columns[kEast], start.sourceUtm.easting, kMetres);
    // Without a shift of its own the row gets no target columns.
    if (!start.shift.found || !chain::InTransformationRange(start.latitude, start.longitude))
        return RowEnd::Next;

    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, Forced());
    WriteTarget(sheet, target, {kLat2, kLon2, kNorth2, kEast2}, kDecimalDegrees, kMetres);
    return RowEnd::Next;
}

// The rest of a decimal-degree row from its conversion worked out ahead: the
// same messages and cells as above. A forced zone changed since it was made
// gets the target worked out again.
BatchRun::RowEnd BatchRun::WriteConversion(Sheet& sheet, const ConversionsAhead::Conversion& made,
                                           Util::ForcedZone forced) {
    using namespace decimal;
    using Text = ConversionsAhead::Text;
    if (!made.start.shift.found) ReportNoParameters();
    WriteText(sheet, sheet.columns[kNorth], made.texts[Text::kNorthing], kMetres);
    WriteText(sheet, sheet.columns[kEast], made.texts[Text::kEasting], kMetres);
    if (!made.converted) return RowEnd::Next;

    const Util::ForcedZone targetForced = Forced();
    if (targetForced != forced) {
        const auto& start = made.start;
        const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                                 start.shift.shift, targetForced);
        WriteTarget(sheet, target, {kLat2, kLon2, kNorth2, kEast2}, kDecimalDegrees, kMetres);
        return RowEnd::Next;
    }
    WriteText(sheet, sheet.columns[kLat2], made.texts[Text::kTargetLatitude], kDecimalDegrees);
    WriteText(sheet, sheet.columns[kLon2], made.texts[Text::kTargetLongitude], kDecimalDegrees);
    WriteText(sheet, sheet.columns[kNorth2], made.texts[Text::kTargetNorthing], kMetres);
    WriteText(sheet, sheet.columns[kEast2], made.texts[Text::kTargetEasting], kMetres);
    CountConverted();
    return RowEnd::Next;
}

BatchRun::RowEnd BatchRun::DmsRow(Sheet& sheet) {
    using namespace dms;
    const Util::DmsPrompts prompts{
        [this](const std::string& text) {
            return dialogs_.Show(CellPrompt(text)) == dialogs::Answer::Ok;
        },
        [this](const std::string& text) { dialogs_.Show(ZeroNotice(text)); }};
    const auto name = [&](std::size_t role) {
        return sheet.letters[role] + "," + std::to_string(row_);
    };
    // One coordinate's three cells; nothing when the row ends at a prompt.
    RowEnd end = RowEnd::Next;
    const auto read = [&](std::size_t first, std::string_view kind) -> std::optional<double> {
        std::int16_t skipped = 0;
        std::string outcome;
        const double value = Util::ReadDmsCells(
            sheet.Cell(row_, first), sheet.Cell(row_, first + 1), sheet.Cell(row_, first + 2),
            skipped, outcome, kind, name(first), name(first + 1), name(first + 2),
            setup_.separators, prompts);
        if (outcome == Util::kReadOk) return value;
        if (outcome == Util::kReadAbort) {
            end = RowEnd::Stop;
        } else {
            skipped_ += skipped;
            rowPrompted_ = true;
        }
        return std::nullopt;
    };
    const auto latitude = read(kLatD, "lat");
    if (!latitude) return end;
    const auto longitude = read(kLonD, "lon");
    if (!longitude) return end;

    const auto start = chain::StartGeographic(Key(), *latitude, *longitude, Forced());
    if (!start.shift.found) ReportNoParameters();
    Write(sheet, sheet.columns[kLat], std::fabs(start.latitude), kDegrees);
    Write(sheet, sheet.columns[kLon], std::fabs(start.longitude), kDegrees);
    Write(sheet, sheet.columns[kNorth], start.sourceUtm.northing, kMetres);
    Write(sheet, sheet.columns[kEast], start.sourceUtm.easting, kMetres);
    if (!start.shift.found || !chain::InTransformationRange(start.latitude, start.longitude))
        return RowEnd::Next;

    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, Forced());
    WriteTarget(sheet, target, {kLat2, kLon2, kNorth2, kEast2}, kDegrees, kMetres);
    return RowEnd::Next;
}

BatchRun::RowEnd BatchRun::UtmRow(Sheet& sheet) {
    using namespace utm;
    const Util::CellValue northCell = sheet.Cell(row_, kNorth);
    const Util::CellValue eastCell = sheet.Cell(row_, kEast);
    if (IsEmpty(northCell) || IsEmpty(eastCell)) {
        ++emptyRows_;
        return Ask(RowPrompt(row_, kEmptyRowText));
    }
    const auto northing = NumberIn(northCell, setup_.separators);
    const auto easting = NumberIn(eastCell, setup_.separators);
    if (!northing || !easting) return Ask(RowPrompt(row_, kInvalidRowText));

    const auto zone = *std::get<UtmColumns>(setup_.columns).zone;
    const auto start = chain::StartUtm(Key(), zone, *northing, *easting);
    // Values far outside any zone give no position to write.
    if (!std::isfinite(start.latitude) || !std::isfinite(start.longitude))
        return Ask(RowPrompt(row_, kInvalidRowText));
    Write(sheet, sheet.columns[kLat], start.latitude, kDegrees);
    Write(sheet, sheet.columns[kLon], start.longitude, kDegrees);
    if (!chain::InBatchInputRange(start.latitude, start.longitude)) return RowEnd::Next;

    const double latitude = -std::fabs(start.latitude);
    const double longitude = -std::fabs(start.longitude);
    const auto lookup = chain::LookupShift(Key(), latitude);
    if (!lookup.found) ReportNoParameters();
    if (!chain::InTransformationRange(latitude, longitude))
        return Ask(RowPrompt(row_, kOutOfLimitsText));
    if (!lookup.found) return RowEnd::Next;

    const auto target =
        chain::CarryToTarget(latitude, longitude, start.ellipsoids, lookup.shift, Forced());
    WriteTarget(sheet, target, {kLat2, kLon2, kNorth2, kEast2}, kDegrees, kUtmMetres);
    return RowEnd::Next;
}

void BatchRun::WriteTarget(Sheet& sheet, const chain::Target& target, const TargetRoles& roles,
                           const NumberText::Mask& degrees, const NumberText::Mask& metres) {
    Write(sheet, sheet.columns[roles.latitude], target.latitude, degrees);
    Write(sheet, sheet.columns[roles.longitude], target.longitude, degrees);
    Write(sheet, sheet.columns[roles.northing], target.utm.northing, metres);
    Write(sheet, sheet.columns[roles.easting], target.utm.easting, metres);
    CountConverted();
}

void BatchRun::CountConverted() {
    rowConverted_ = true;
    ++result_.rowsConverted;
}

}  // namespace trevalco::batch
