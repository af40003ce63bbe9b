// A count and what it counts, in the singular for one and the plural
// otherwise (zero included), as Spanish says it: "1 fila omitida",
// "0 filas omitidas".
#pragma once

#include <string>

namespace trevalco::cli {

inline std::string CountText(unsigned long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace trevalco::cli
