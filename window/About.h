// The about message: owner, scope of the parameters, developer, contact and
// version, one line each.
#pragma once

#include <string>

namespace trevalco::app {

// The five lines, joined by a carriage return.
std::string AboutText();

}  // namespace trevalco::app
