// What `trevalco-cli convert` says about a line it does not convert: the
// statements of the program's own messages, without the question that the
// window adds to them.
#pragma once

#include <string>
#include <string_view>

namespace trevalco::cli {

inline constexpr std::string_view kEmptyRow = "Contiene Datos Vacios.";
inline constexpr std::string_view kInvalidRow = "Contiene Datos Inválidos.";
inline constexpr std::string_view kOutOfLimits = "Fuera de Limites.";
inline constexpr std::string_view kCoordinatesOutOfLimits = "¡ Coordenadas Fuera de Límites !";

// A cell prompt cut after its statement: "¡ Celda  " LATM "  Fuera de Rango !.".
inline std::string CellStatement(const std::string& prompt) {
    const auto end = prompt.find("!.");
    return end == std::string::npos ? prompt : prompt.substr(0, end + 2);
}

}  // namespace trevalco::cli
