// Every workbook the program reads or writes goes through this class.
//
//   Workbook book = Workbook::Open("/home/ana/datos.xlsx");
//   for (const std::string& name : book.SheetNames()) ...
//   Worksheet& sheet = book.Sheet("Hoja1");
//   cells::CellValue latitude = sheet.Cell(row, "B");
//   sheet.WriteNumber(row, "H", "6297606.833", 3);
//   std::filesystem::path written = book.SaveAs(OutputBaseFor(path));
//   book.Close();
//
// .xlsx and .xlsm are read and written in process. .xls and .ods are
// converted by LibreOffice to a private temporary .xlsx when opened, and back
// to their own format when saved. A text file (.csv, .txt) is a workbook of
// one sheet named after the file name up to its first ".", read and written
// in process in its own dialect (TextBook). Opening and reading never change the file
// on disk; saving writes a temporary file in the target's folder and moves
// it into place in one step, so the target only ever holds a whole workbook
// (whatever the format's writer, it writes the whole file to the temporary
// path). Every failure is a WorkbookError whose text can be shown to
// the user as it is.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PackageLimits.h"
#include "PendingFile.h"
#include "WorkbookError.h"
#include "Worksheet.h"

namespace trevalco::workbook {

enum class WorkbookFormat { Xlsx, Xlsm, Xls, Ods, Csv, Txt };

// The format of a path, by its extension (either case); nothing for others.
std::optional<WorkbookFormat> FormatOfPath(const std::filesystem::path& path);
// ".xlsx", ".xlsm", ".xls", ".ods", ".csv" or ".txt".
std::string_view ExtensionOf(WorkbookFormat format);

struct OpenOptions {
    PackageLimits limits;
    // LibreOffice's program for .xls and .ods; looked up on the PATH when
    // not given.
    std::optional<std::filesystem::path> office;
    // How long one LibreOffice conversion may take before it is stopped.
    std::chrono::seconds officeTimeLimit{300};
    // Asked while LibreOffice works and before a save is moved into place:
    // true gives up the operation (Interrupted), leaving every file as it was.
    std::function<bool()> stopRequested;
};

class Workbook {
public:
    // Opens the workbook at `path`. Throws WorkbookError ("No se puede abrir
    // el libro «…»: …").
    static Workbook Open(const std::filesystem::path& path, const OpenOptions& options = {});

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();  // closes it: nothing is saved

    // The file the workbook is saved to by Save(): the one opened, or the
    // last one written by SaveAs().
    const std::filesystem::path& Path() const;
    WorkbookFormat Format() const;

    // The worksheets in the workbook's order (chart sheets and other sheets
    // that are not worksheets are left out).
    std::vector<std::string> SheetNames() const;
    bool HasSheet(std::string_view name) const;
    // The worksheet of that name, read on first use. The reference is valid
    // until the workbook is closed. Throws WorkbookError when there is no
    // such sheet or it cannot be read.
    Worksheet& Sheet(std::string_view name);

    // Makes the named worksheet the one shown (and the only one selected)
    // when the saved workbook is opened. Throws WorkbookError when there is
    // no such sheet.
    void SetActiveSheet(std::string_view name);

    // Writes the workbook, with every cell written so far, over Path().
    // Formulas are marked to be calculated again when it is next opened.
    void Save();
    // Writes it to `path`, adding the extension of the workbook's format
    // unless the path already ends with it; returns the path written, which
    // becomes Path(). With ExistingFile::Keep a file that holds that name
    // when the save is moved into place stays, and the save fails.
    std::filesystem::path SaveAs(const std::filesystem::path& path, output::ExistingFile existing = output::ExistingFile::Replace);

    // Releases the file, its temporary folder and every sheet; nothing is
    // saved. Any later use throws WorkbookError.
    void Close() noexcept;
    bool IsOpen() const { return state_ != nullptr; }

private:
    struct State;
    explicit Workbook(std::unique_ptr<State> state);
    State& Live() const;
    void WriteTo(const std::filesystem::path& target, output::ExistingFile existing);
    void WriteTextTo(const std::filesystem::path& target, output::ExistingFile existing);

    std::unique_ptr<State> state_;
};

}  // namespace trevalco::workbook
