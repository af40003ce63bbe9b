#include "ComboColumns.h"

#include "Int16.h"
#include "NumberText.h"

namespace trevalco::batch {

namespace {

std::string Letter(const ComboTexts& combos, std::size_t combo) {
    const std::string& text = combos.at(combo);
    return text.empty() ? std::string() : text.substr(text.size() - 1);
}

}  // namespace

DecimalColumns DecimalPageColumns(const ComboTexts& c) {
    return {Letter(c, 1), Letter(c, 2), Letter(c, 15), Letter(c, 16), Letter(c, 9), Letter(c, 10),
            Letter(c, 13), Letter(c, 14)};
}

DmsColumns DmsPageColumns(const ComboTexts& c) {
    return {Letter(c, 3),  Letter(c, 4),  Letter(c, 5),  Letter(c, 6),  Letter(c, 7),  Letter(c, 8),  Letter(c, 21),
            Letter(c, 22), Letter(c, 17), Letter(c, 18), Letter(c, 11), Letter(c, 12), Letter(c, 19), Letter(c, 20)};
}

UtmColumns UtmPageColumns(const ComboTexts& c) {
    UtmColumns columns{Letter(c, 32), Letter(c, 33), Letter(c, 31), Letter(c, 30),
                       Letter(c, 27), Letter(c, 28), Letter(c, 26), Letter(c, 25), std::nullopt};
    const std::string& zoneText = c.at(34);
    const std::string lastTwo = zoneText.size() > 2 ? zoneText.substr(zoneText.size() - 2) : zoneText;
    if (const auto number = number_text::ReadNumber(lastTwo, number_text::Invariant()))
        columns.zone = WholeNumber16(*number);
    return columns;
}

}  // namespace trevalco::batch
