// The messages of a batch run, as the user reads them: preconditions, row
// prompts, the replace question, the saved-file message and failures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Dialogs.h"
#include "PointMessages.h"

namespace trevalco::batch {

// Preconditions, checked before anything is opened.
dialogs::Message SelectWorkbookMessage();  // "Seleccione Archivo"
dialogs::Message FileNotFoundMessage();    // "Achivo No Encontrado"
dialogs::Message SelectColumnsMessage();   // "Seleccione Columnas"

// The texts a row prompt ends with.
inline constexpr std::string_view kEmptyRowText =
    "  Contiene Datos Vacios. ¿Desea continuar con la siguente fila ?";
inline constexpr std::string_view kInvalidRowText =
    "  Contiene Datos Inválidos. ¿Desea continuar con la siguente fila ?";
inline constexpr std::string_view kOutOfLimitsText =
    "  Fuera de Limites. ¿Desea continuar con la siguente fila ?";

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

// The saved-file message of each page, naming the file written.
dialogs::Message DecimalSavedMessage(std::string_view writtenFileName);
dialogs::Message OtherSavedMessage(std::string_view writtenFileName);

// A workbook operation failed; the text says which and why.
dialogs::Message WorkbookFailure(std::string_view text);

// The progress window's status texts.
inline constexpr std::string_view kWaitStatus = "Espere unos Instantes";
inline constexpr std::string_view kConvertingStatus = "Transformando Regisro N°";

}  // namespace trevalco::batch
