// What `trevalco-cli convert` says about a line it does not convert: the
// statements of the program's own messages, without the question that the
// window adds to them.
#pragma once

#include <string>
#include <string_view>

#include "Statements.h"

namespace trevalco::cli {

using dialogs::kCoordinatesOutOfLimits;
using dialogs::kEmptyRow;
using dialogs::kInvalidRow;
using dialogs::kOutOfLimits;

// What a refused line's statement is followed by: what the line held and
// what to do about it: the name, the value and the range it left.
inline std::string RangeAdvice(std::string_view name, std::string_view value, std::string_view range) {
    return std::string(name) + " " + std::string(value) + " fuera de " + std::string(range);
}
inline constexpr std::string_view kSwappedAdvice = "; ¿latitud y longitud invertidas?";
inline constexpr std::string_view kDecimalCommaAdvice = "; use --decimal-comma";
inline constexpr std::string_view kNoZoneAdvice = "la línea UTM no trae su zona; use --zone";

// A statement ("Fuera de Limites.") followed by its advice: "Fuera de
// Limites: latitud 70.65 fuera de 17..56".
inline std::string WithAdvice(std::string_view statement, const std::string& advice) {
    if (advice.empty()) return std::string(statement);
    std::string text(statement);
    if (text.ends_with('.')) text.pop_back();
    return text + ": " + advice;
}

// A cell prompt cut after its statement: "¡ Celda  " LATM "  Fuera de Rango !.".
inline std::string CellStatement(const std::string& prompt) {
    const auto end = prompt.find("!.");
    return end == std::string::npos ? prompt : prompt.substr(0, end + 2);
}

}  // namespace trevalco::cli
