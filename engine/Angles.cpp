#include "Angles.h"

#include <cmath>

#include "Int16.h"

namespace trevalco::angles {

Dms DecimalToDms(double angle) {
    Dms dms;
    dms.degrees = Truncate16(angle);
    dms.minutes = std::trunc((angle - dms.degrees) * 60);
    dms.seconds = ((angle - dms.degrees) * 60 - dms.minutes) * 60;
    if (dms.seconds == 60.0) {
        dms.minutes = dms.minutes + 1;
        dms.seconds = 0;
    }
    return dms;
}

std::string FormatDms(double angle, const number_text::Separators& separators) {
    std::int16_t degrees = Truncate16(angle);
    const double fraction = std::fabs(angle - degrees);
    double minutes = std::trunc(fraction * 60);
    double seconds = (fraction * 60 - minutes) * 60;
    if (std::nearbyint(seconds * 100) >= 6000) {  // two decimals, halves to even
        minutes = minutes + 1;
        seconds = 0;
    }
    if (std::nearbyint(minutes) >= 60) {
        degrees = Checked16(degrees >= 0 ? degrees + 1 : degrees - 1);
        minutes = 0;
    }
    static const number_text::Mask kSeconds("##.###0");
    std::string text = number_text::BlankPrefixedText(degrees);
    text += "° ";
    text += number_text::BlankPrefixedText(std::fabs(minutes));
    text += "'  ";
    kSeconds.AppendTo(text, std::fabs(seconds), separators);
    text += '"';
    return text;
}

}  // namespace trevalco::angles
