// The little JSON the page and its worker read from the bindings: strings
// escaped, objects and arrays written by hand at the call.
#pragma once

#include <string>
#include <string_view>

#include "Dialogs.h"

namespace trevalco::web {

// A JSON string literal, quotes included.
std::string Quoted(std::string_view text);

// {"text":...,"title":...,"icon":"exclamation","buttons":"okcancel"}
std::string MessageJson(const dialogs::Message& message);

}  // namespace trevalco::web
