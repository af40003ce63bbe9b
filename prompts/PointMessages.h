// How the program words what the point core found, wherever it is shown:
// the point tab, the batch runs and trevalco-cli.
#pragma once

#include <string>
#include <string_view>

#include "Dialogs.h"
#include "CellChecks.h"

namespace trevalco::dialogs {

// The latitude has no shift for the direction.
inline constexpr std::string_view kNoParametersText = "¡ No exixten Parametros para esta Latitud !";

inline Message NoParametersMessage() {
    return {std::string(kNoParametersText), " Error ", MessageIcon::Critical, Buttons::Ok};
}

// The text a cell prompt ends with for what the cell's check found.
inline std::string_view CellPromptText(cells::CellStatus status) {
    switch (status) {
        case cells::CellStatus::Empty: return "  Vacía !.  ¿ Desea continuar con la siguente fila ?";
        case cells::CellStatus::OutOfLimits: return "  Fuera de Límites !. ¿ Desea continuar con la siguente fila ?";
        case cells::CellStatus::HasDecimals: return "  Con Decimales !.  ¿ Desea continuar con la siguente fila ?";
        case cells::CellStatus::OutOfRange: return "  Fuera de Rango !. ¿ Desea continuar con la siguente fila ?";
        case cells::CellStatus::NotNumeric:
        case cells::CellStatus::Ok: break;
    }
    return "  Contiene Datos Inválidos !.  ¿ Desea continuar con la siguente fila ?";
}

// The notice for an empty minutes or seconds cell, taken as zero.
inline constexpr std::string_view kZeroNoticeText = "  Vacía !.  ¡ Se Asumirá cero !";

// "¡ Celda  " " C,5 " followed by the text: how messages name a cell.
inline std::string CellMessage(std::string_view cellName, std::string_view text) {
    std::string message = "¡ Celda  \" ";
    message += cellName;
    message += " \"";
    message += text;
    return message;
}

}  // namespace trevalco::dialogs
