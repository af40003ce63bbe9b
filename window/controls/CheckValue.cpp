#include "CheckValue.h"

#include <QCheckBox>

namespace trevalco::controls {

int CheckValue(const QCheckBox& box) {
    switch (box.checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        case Qt::Unchecked: break;
    }
    return 0;
}

}  // namespace trevalco::controls
