// The statements of the program's row and point messages, each once. The
// batch run follows them with its question, the command line with its
// advice, the point tab shows them in its message boxes.
#pragma once

#include <string>
#include <string_view>

namespace trevalco::dialogs {

inline constexpr std::string_view kEmptyRow = "Contiene Datos Vacios.";
inline constexpr std::string_view kInvalidRow = "Contiene Datos Inválidos.";
inline constexpr std::string_view kOutOfLimits = "Fuera de Limites.";
inline constexpr std::string_view kCoordinatesOutOfLimits = "¡ Coordenadas Fuera de Límites !";

// The point tab's own, shown with the blanks they stand with.
inline constexpr std::string_view kCompleteFields = " ¡ Complete Campos ! ";
inline constexpr std::string_view kEnterNumbers = " ¡ Ingrese Datos Numéricos !";
inline constexpr std::string_view kCoordinatesOutOfRange = " ¡ Coordenadas Fuera de Rango ! ";

// The question a batch run asks after a row's statement.
inline std::string NextRowQuestion(std::string_view statement) {
    std::string text = "  ";
    text += statement;
    text += " ¿Desea continuar con la siguente fila ?";
    return text;
}

}  // namespace trevalco::dialogs
