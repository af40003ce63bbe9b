// The two frames right of the tabs, visible whichever tab is shown.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <tuple>
#include <utility>

#include "controls/Frame.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"
#include "form/Place.h"

namespace trevalco::app {
namespace {

using place::At;
using place::LabelFor;
using place::Make;
using place::OnBorder;

void BuildZoneFrame(QWidget& window, VelmarForm& form) {
    form.Frame29 = Make<Frame>(&window, "Frame29", At(8520, 450, 2865, 3540));
    const std::pair<const char*, QString> zones[] = {
        {"OpZ12", QStringLiteral("12  Isla de Pascua")},
        {"OpZ13", QStringLiteral("13  Isla Salas y Gomez")},
        {"OpZ16", QStringLiteral("16  Territorio Chileno Antártico")},
        {"OpZ17", QStringLiteral("17  Territorio Chileno Antártico")},
        {"OpZ18", QStringLiteral("18  Chile Continental, T.CH.Ant.")},
        {"OpZ19", QStringLiteral("19  Chile Continental, T.CH.Ant.")},
        {"OpZ20", QStringLiteral("20 Territorio Chileno Antártico")},
        {"OpZ21", QStringLiteral("21 Territorio Chileno Antártico")},
        {"OpZ22", QStringLiteral("22 Territorio Chileno Antártico")},
    };
    int top = 330;
    for (std::size_t i = 0; i < form.point.zoneButtons.size(); ++i) {
        form.point.zoneButtons[i] =
            Make<QRadioButton>(form.Frame29, zones[i].first, At(60, top, 2760, 255), zones[i].second);
        top += 345;
    }
    form.point.Check1 = OnBorder<QCheckBox>(&window, "Check1", QStringLiteral("Forzar Zonas"),
                                            At(8640, 450, 1335, 255), form.Frame29);
}

void BuildShiftFrame(QWidget& window, VelmarForm& form) {
    form.Frame31 = Make<Frame>(&window, "Frame31", At(8505, 4200, 2850, 1335));
    const std::tuple<const char*, const char*, TextBox**> rows[] = {
        {"DeltaX", "Delta X", &form.point.DeltaX},
        {"DeltaY", "Delta Y", &form.point.DeltaY},
        {"DeltaZ", "Delta Z", &form.point.DeltaZ},
    };
    int top = 300;
    for (const auto& [name, caption, field] : rows) {
        *field = Make<TextBox>(form.Frame31, name, At(1200, top, 690, 300));
        LabelFor(form.Frame31, (QByteArray("Label_") + name).constData(), QString::fromLatin1(caption),
                 At(240, top + 30, 900, 255), *field);
        top += 330;
    }
    form.point.Check_delta = OnBorder<QCheckBox>(&window, "Check_delta", QStringLiteral("Deltas"),
                                                 At(8625, 4200, 975, 255), form.Frame31);
}

}  // namespace

void BuildSideFrames(QWidget& window, VelmarForm& form) {
    BuildZoneFrame(window, form);
    BuildShiftFrame(window, form);
}

}  // namespace trevalco::app
