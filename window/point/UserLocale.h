// The decimal and thousands separators of the user's locale, as the number
// texts of the engine take them.
#pragma once

#include "NumberText.h"

namespace trevalco::point {

// Read from the default QLocale (the system's unless the program set another).
number_text::Separators UserSeparators();

}  // namespace trevalco::point
