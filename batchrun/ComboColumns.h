// The columns of a batch page read from its selectors' texts, as the window
// and the browser edition both hold them: combos[n] is the text of ComboN
// ("Columna C"; empty when nothing is chosen). A column is the last letter
// of its selector's text; the UTM page's zone is the last two characters of
// Combo34 ("Zona 18").
#pragma once

#include <array>
#include <string>

#include "PageColumns.h"

namespace trevalco::batch {

using ComboTexts = std::array<std::string, 35>;  // [0] unused

DecimalColumns DecimalPageColumns(const ComboTexts& combos);  // Ok_excel
DmsColumns DmsPageColumns(const ComboTexts& combos);          // OK_GraMinSeg
UtmColumns UtmPageColumns(const ComboTexts& combos);          // Ok_UTM

}  // namespace trevalco::batch
