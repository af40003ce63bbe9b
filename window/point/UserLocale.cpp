#include "point/UserLocale.h"

#include <QLocale>

namespace trevalco::point {

number_text::Separators UserSeparators() {
    const QLocale locale;
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

}  // namespace trevalco::point
