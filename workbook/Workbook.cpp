#include "Workbook.h"

#include <algorithm>
#include <map>

#include "Office.h"
#include "PackageParts.h"
#include "PackageWriter.h"
#include "SavePlan.h"
#include "SharedStrings.h"
#include "SheetReader.h"
#include "TextBook.h"
#include "TempDir.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

std::string Quoted(const std::filesystem::path& path) { return "«" + path.string() + "»"; }

bool UsesOffice(WorkbookFormat format) { return format == WorkbookFormat::Xls || format == WorkbookFormat::Ods; }

bool IsText(WorkbookFormat format) { return format == WorkbookFormat::Csv || format == WorkbookFormat::Txt; }

std::string_view OfficeMissing() {
    return "los libros .xls y .ods se abren con LibreOffice, que no está instalado "
           "(instale LibreOffice Calc, paquete libreoffice-calc-nogui)";
}

// The worksheet of that name; a name the workbook lacks is refused with the
// names it has, so that a user sees the right one.
std::vector<SheetEntry>::const_iterator FindSheet(const std::vector<SheetEntry>& entries, std::string_view name,
                                                  const std::filesystem::path& path) {
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const SheetEntry& sheet) { return sheet.name == name; });
    if (found != entries.end()) return found;
    std::string names;
    for (const SheetEntry& sheet : entries) names += (names.empty() ? "«" : ", «") + sheet.name + "»";
    throw WorkbookError("El libro " + Quoted(path) + " no tiene una hoja llamada «" + std::string(name) +
                        "»; sus hojas son: " + (names.empty() ? "ninguna" : names) + ".");
}

}  // namespace

std::optional<WorkbookFormat> FormatOfPath(const std::filesystem::path& path) {
    const std::string extension = Lower(path.extension().string());
    if (extension == ".xlsx") return WorkbookFormat::Xlsx;
    if (extension == ".xlsm") return WorkbookFormat::Xlsm;
    if (extension == ".xls") return WorkbookFormat::Xls;
    if (extension == ".ods") return WorkbookFormat::Ods;
    if (extension == ".csv") return WorkbookFormat::Csv;
    if (extension == ".txt") return WorkbookFormat::Txt;
    return std::nullopt;
}

std::string_view ExtensionOf(WorkbookFormat format) {
    switch (format) {
        case WorkbookFormat::Xlsx: return ".xlsx";
        case WorkbookFormat::Xlsm: return ".xlsm";
        case WorkbookFormat::Xls: return ".xls";
        case WorkbookFormat::Ods: return ".ods";
        case WorkbookFormat::Csv: return ".csv";
        case WorkbookFormat::Txt: return ".txt";
    }
    return ".xlsx";
}

struct Workbook::State {
    std::filesystem::path path;
    WorkbookFormat format = WorkbookFormat::Xlsx;
    OpenOptions options;
    std::optional<std::filesystem::path> office;
    // Declared before the archive: for .xls and .ods the archive is a file
    // inside it, closed before the folder goes.
    std::optional<output::TempDir> temporary;
    std::optional<ZipArchive> archive;
    PackageParts parts;
    std::optional<LazySharedStrings> shared;
    std::optional<TextBook> text;  // a .csv or .txt file: no archive, one sheet
    std::map<std::size_t, std::unique_ptr<Worksheet>> sheets;  // by position in parts.sheets
    std::optional<std::size_t> activeSheet;                      // position in parts.sheets
};

Workbook::Workbook(std::unique_ptr<State> state) : state_(std::move(state)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook::State& Workbook::Live() const {
    if (!state_) throw WorkbookError("El libro ya está cerrado.");
    return *state_;
}

Workbook Workbook::Open(const std::filesystem::path& path, const OpenOptions& options) {
    auto state = std::make_unique<State>();
    state->path = path;
    state->options = options;
    try {
        const auto format = FormatOfPath(path);
        if (!format)
            throw WorkbookError("el tipo de archivo «" + path.extension().string() +
                                "» no es un libro (se admiten .xlsx, .xlsm, .xls, .ods, .csv y .txt)");
        state->format = *format;
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        if (!std::filesystem::exists(status)) throw WorkbookError("el archivo no existe");
        if (std::filesystem::is_directory(status)) throw WorkbookError("es una carpeta, no un libro");

        if (IsText(*format)) {
            state->text.emplace(path, TextLimits::Of(options.limits));
            state->parts.sheets.push_back({state->text->SheetName(), {}});
            return Workbook(std::move(state));
        }
        std::filesystem::path package = path;
        if (UsesOffice(*format)) {
            state->office = options.office ? options.office : FindOffice();
            if (!state->office || !std::filesystem::exists(*state->office)) throw WorkbookError(std::string(OfficeMissing()));
            state->temporary.emplace();
            // LibreOffice works on a private copy, so it leaves nothing (not
            // even a lock file) beside the user's workbook.
            const std::filesystem::path copy = state->temporary->Path() / ("libro" + std::string(ExtensionOf(*format)));
            std::filesystem::copy_file(path, copy, error);
            if (error) throw WorkbookError("no se pudo leer el archivo (" + error.message() + ")");
            package = ConvertWithOffice(*state->office, copy, "xlsx", state->temporary->Path(),
                                        options.officeTimeLimit, options.stopRequested);
        }
        state->archive.emplace(ZipArchive::OpenFile(package, options.limits));
        state->parts = ReadPackageParts(*state->archive);
    } catch (const WorkbookError& error) {
        throw WorkbookError("No se puede abrir el libro " + Quoted(path) + ": " + error.what() + ".");
    }
    return Workbook(std::move(state));
}

const std::filesystem::path& Workbook::Path() const { return Live().path; }

WorkbookFormat Workbook::Format() const { return Live().format; }

std::vector<std::string> Workbook::SheetNames() const {
    std::vector<std::string> names;
    for (const SheetEntry& sheet : Live().parts.sheets) names.push_back(sheet.name);
    return names;
}

bool Workbook::HasSheet(std::string_view name) const {
    const auto& sheets = Live().parts.sheets;
    return std::any_of(sheets.begin(), sheets.end(), [&](const SheetEntry& sheet) { return sheet.name == name; });
}

Worksheet& Workbook::Sheet(std::string_view name) {
    State& state = Live();
    const auto& entries = state.parts.sheets;
    const auto found = FindSheet(entries, name, state.path);
    const auto position = static_cast<std::size_t>(found - entries.begin());
    if (auto loaded = state.sheets.find(position); loaded != state.sheets.end()) return *loaded->second;
    try {
        if (!state.shared) {
            if (state.parts.sharedStringsPart && state.archive) {
                const std::string& part = *state.parts.sharedStringsPart;
                if (!state.archive->Find(part)) throw WorkbookError("falta la parte " + part + " (textos compartidos)");
                state.shared.emplace(*state.archive, part);
            } else {
                state.shared.emplace();
            }
        }
        CellGrid grid = state.text ? state.text->ReadCells() : ReadSheet(*state.archive, found->part);
        auto sheet = std::make_unique<Worksheet>(found->name, found->part, std::move(grid), *state.shared, Quoted(state.path));
        if (state.text) sheet->SpoolRowsTo(&*state.text);
        return *state.sheets.emplace(position, std::move(sheet)).first->second;
    } catch (const WorkbookError& error) {
        throw WorkbookError("No se puede leer la hoja «" + found->name + "» del libro " + Quoted(state.path) + ": " +
                            error.what() + ".");
    }
}

void Workbook::SetActiveSheet(std::string_view name) {
    State& state = Live();
    const auto& entries = state.parts.sheets;
    const auto found = FindSheet(entries, name, state.path);
    state.activeSheet = static_cast<std::size_t>(found - entries.begin());
}

void Workbook::Save() { WriteTo(Live().path, output::ExistingFile::Replace); }

std::filesystem::path Workbook::SaveAs(const std::filesystem::path& path, output::ExistingFile existing) {
    State& state = Live();
    std::filesystem::path target = path;
    const std::string_view extension = ExtensionOf(state.format);
    if (Lower(target.filename().string()).ends_with(extension) == false) target += std::string(extension);
    WriteTo(target, existing);
    state.path = target;
    return target;
}

void Workbook::Close() noexcept { state_.reset(); }

namespace {

const WrittenCells kNothingWritten;

void CheckTarget(const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) throw WorkbookError("ya hay una carpeta con ese nombre");
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    if (!std::filesystem::is_directory(folder, error)) throw WorkbookError("la carpeta no existe");
}

// Moves a complete save into place, unless a stop came in the meantime.
void CommitUnlessStopped(output::PendingFile& pending, output::ExistingFile existing,
                         const std::function<bool()>& stopRequested) {
    // The last moment a stop leaves every file as it was.
    if (stopRequested && stopRequested()) throw Interrupted();
    pending.Commit(existing);
}

// Writes the package in the private folder, has LibreOffice convert it to
// the workbook's format, and copies the result to `file`.
void WriteThroughOffice(const ZipArchive& archive, const PackageChanges& changes, const OfficeConversion& office,
                        const std::filesystem::path& file, const std::function<bool()>& stopRequested) {
    std::error_code error;
    const std::filesystem::path result = office.Package();
    std::filesystem::remove(result, error);
    WritePackage(archive, result, changes);
    const std::filesystem::path converted =
        ConvertWithOffice(office.program, result, office.format, office.folder, office.timeLimit, stopRequested);
    std::filesystem::copy_file(converted, file, error);
    std::filesystem::remove(result);
    std::filesystem::remove_all(converted.parent_path());
    if (error) throw WorkbookError("no se pudo escribir el archivo (" + error.message() + ")");
}

// Carries a plan out: the save is written to a temporary file beside the
// target and moved into place.
void WritePlanned(const ZipArchive& archive, const SavePlan& plan, const std::function<bool()>& stopRequested) {
    CheckTarget(plan.target);
    output::PendingFile pending(plan.target);
    if (!plan.office)
        WritePackage(archive, pending.TemporaryPath(), plan.parts.changes);
    else
        WriteThroughOffice(archive, plan.parts.changes, *plan.office, pending.TemporaryPath(), stopRequested);
    CommitUnlessStopped(pending, plan.existing, stopRequested);
}

}  // namespace

void Workbook::WriteTo(const std::filesystem::path& target, output::ExistingFile existing) {
    State& state = Live();
    if (state.text) {
        WriteTextTo(target, existing);
        return;
    }
    try {
        SavePlan plan{target, existing, PlanParts(*state.archive, state.parts, state.sheets, state.activeSheet), {}};
        if (UsesOffice(state.format))
            plan.office = OfficeConversion{*state.office, state.temporary->Path(),
                                           std::string_view(ExtensionOf(state.format)).substr(1),
                                           state.options.officeTimeLimit};
        WritePlanned(*state.archive, plan, state.options.stopRequested);
    } catch (const WorkbookError& error) {
        throw WorkbookError("No se puede guardar el libro " + Quoted(target) + ": " + error.what() + ".");
    } catch (const std::filesystem::filesystem_error& error) {
        throw WorkbookError("No se puede guardar el libro " + Quoted(target) + ": " + output::FileErrorText(error.code().value()) + ".");
    }
}

void Workbook::WriteTextTo(const std::filesystem::path& target, output::ExistingFile existing) {
    State& state = Live();
    try {
        CheckTarget(target);
        const auto loaded = state.sheets.find(0);
        const WrittenCells& written = loaded == state.sheets.end() ? kNothingWritten : loaded->second->Written();
        output::PendingFile pending(target);
        state.text->Write(written, pending.TemporaryPath());
        CommitUnlessStopped(pending, existing, state.options.stopRequested);
    } catch (const WorkbookError& error) {
        throw WorkbookError("No se puede guardar el archivo " + Quoted(target) + ": " + error.what() + ".");
    } catch (const std::filesystem::filesystem_error& error) {
        throw WorkbookError("No se puede guardar el archivo " + Quoted(target) + ": " + output::FileErrorText(error.code().value()) + ".");
    }
}

}  // namespace trevalco::workbook
