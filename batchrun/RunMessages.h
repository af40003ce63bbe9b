// The messages of a batch run, as the user reads them: preconditions, row
// prompts, the replace question, the saved-file message and failures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Dialogs.h"
#include "OfficeLock.h"
#include "PointMessages.h"
#include "Statements.h"

namespace trevalco::batch {

// Preconditions, checked before anything is opened.
dialogs::Message SelectWorkbookMessage();  // "Seleccione Archivo"
dialogs::Message FileNotFoundMessage();    // "Achivo No Encontrado"
dialogs::Message SelectColumnsMessage();   // "Seleccione Columnas"

// The texts a row prompt ends with.
inline const std::string kEmptyRowText = dialogs::NextRowQuestion(dialogs::kEmptyRow);
inline const std::string kInvalidRowText = dialogs::NextRowQuestion(dialogs::kInvalidRow);
inline const std::string kOutOfLimitsText = dialogs::NextRowQuestion(dialogs::kOutOfLimits);

// "La Fila  " " 5 " and the text: OK skips the row, Cancel stops the run.
dialogs::Message RowPrompt(std::int32_t row, std::string_view text);

// A bad degrees, minutes or seconds cell (CellMessage and CellPromptText).
dialogs::Message CellPrompt(const std::string& text);
// An empty minutes or seconds cell taken as zero.
dialogs::Message ZeroNotice(const std::string& text);

// The output workbook is there already: OK replaces it, Cancel ends the run
// before anything is opened.
dialogs::Message ReplaceOutputQuestion(std::string_view outputPath);

// Another run (of this program, or in another process) holds the output
// workbook: the run is refused before anything is opened. `holder` is that
// run's process id (0: not known).
dialogs::Message OutputInUseMessage(std::string_view outputPath, long holder);

// LibreOffice has the output open: who, where and since when, and why that
// matters (the open copy, saved later, would replace the new output).
std::string OfficeLockStatement(std::string_view outputPath, const output::OfficeLockOwner& owner);
// The same, and whether to replace the file anyway (the lock may be left by
// a crash): Sí (Ok) replaces it, No (Cancel) ends the run before anything
// is opened.
dialogs::Message OfficeLockQuestion(std::string_view outputPath, const output::OfficeLockOwner& owner);

// Output columns hold data in `rows` rows the run will write: Sí (Ok)
// writes over them, No (Cancel) ends the run before anything is written.
dialogs::Message FilledColumnsQuestion(std::string_view columns, std::int32_t rows);

// The line the saved-file message gains when rows of data were never reached.
std::string RowCountsLine(std::int32_t converted, std::int32_t skipped, std::int32_t unreached);

// The saved-file message of each page, naming the file written.
dialogs::Message DecimalSavedMessage(std::string_view writtenFileName);
dialogs::Message OtherSavedMessage(std::string_view writtenFileName);

// A workbook operation failed; the text says which and why.
dialogs::Message WorkbookFailure(std::string_view text);

// The progress window's status texts.
inline constexpr std::string_view kWaitStatus = "Espere unos Instantes";
inline constexpr std::string_view kConvertingStatus = "Transformando Regisro N°";

}  // namespace trevalco::batch
