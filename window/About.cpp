#include "About.h"

#include <array>
#include <string_view>

namespace trevalco::app {

std::string AboutText() {
    constexpr std::array<std::string_view, 5> lines{
        "Este software es propiedad de Trevalco Geodesia.",
        "Parámetros de Tranformación válidos solo para Chile Continental.",
        "Desarrollado por el Departamento de Sistemas de Trevalco Geodesia.",
        "Envíe sus sugerencias a sugerencias@trevalco.example",
        "Version 2.1, Agosto de 2005.",
    };
    std::string text;
    for (std::string_view line : lines) {
        if (!text.empty()) text += '\r';
        text += line;
    }
    return text;
}

}  // namespace trevalco::app
