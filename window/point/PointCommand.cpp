#include "point/PointCommand.h"

#include <QPushButton>
#include <QRadioButton>

#include "PointFailure.h"
#include "controls/TextBox.h"
#include "point/UserLocale.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::point {

namespace {

bool IsOn(const QRadioButton* button) { return button != nullptr && button->isChecked(); }

}  // namespace

PointCommand::PointCommand(const PointTabControls& controls, const ZoneAndShiftOptions& options,
                           dialogs::Dialogs& dialogs, QObject* parent)
    : QObject(parent), c_(controls), options_(options), dialogs_(dialogs) {
    connect(c_.OK, &QPushButton::clicked, this, &PointCommand::OK_Click);
    // OK is the tab's default button: Return in any input box presses it.
    c_.OK->setDefault(true);
    for (TextBox* box : {c_.Textlat, c_.Textlon, c_.Text_Gralat_i, c_.Text_Minlat_i, c_.Text_Seglat_i,
                         c_.Text_Gralon_i, c_.Text_Minlon_i, c_.Text_Seglon_i, c_.Text_iNorte,
                         c_.Text_iEste, c_.Text_zona_1})
        connect(box, &TextBox::returnPressed, c_.OK, &QPushButton::click);
}

void PointCommand::OK_Click() {
    if (IsOn(c_.OpDecGra))
        Run(core::Notation::DecimalDegrees, {c_.Textlat, c_.Textlon});
    else if (IsOn(c_.OpGraMinSeg))
        Run(core::Notation::DegreesMinutesSeconds, {c_.Text_Gralat_i, c_.Text_Minlat_i, c_.Text_Seglat_i,
                                                     c_.Text_Gralon_i, c_.Text_Minlon_i, c_.Text_Seglon_i});
    else if (IsOn(c_.OpUTM))
        Run(core::Notation::Utm, {c_.Text_iNorte, c_.Text_iEste, c_.Text_zona_1});
}

void PointCommand::Run(core::Notation notation, std::initializer_list<const TextBox*> inputs) {
    TabTexts texts;
    std::size_t i = 0;
    for (const TextBox* box : inputs) texts[i++] = box->text().toStdString();
    TabSettings settings;
    settings.direction = DirectionOfButtons(IsOn(c_.SIRGAS_PSAD56), IsOn(c_.SIRGAS_SAD69), IsOn(c_.PSAD56_SIRGAS));
    settings.forced = options_.ForcedZone();
    settings.separators = UserSeparators();
    const TabOutcome outcome = ConvertTabPoint(notation, texts, settings);
    for (const FieldText& field : outcome.fields) BoxOf(field.field)->setText(QString::fromStdString(field.text));
    if (!outcome.Converted()) ShowFailure(outcome);
}

TextBox* PointCommand::BoxOf(Field field) const {
    switch (field) {
        case Field::Latitude: return c_.Textlat;
        case Field::Longitude: return c_.Textlon;
        case Field::LatDegrees: return c_.Text_Gralat_i;
        case Field::LatMinutes: return c_.Text_Minlat_i;
        case Field::LatSeconds: return c_.Text_Seglat_i;
        case Field::LonDegrees: return c_.Text_Gralon_i;
        case Field::LonMinutes: return c_.Text_Minlon_i;
        case Field::LonSeconds: return c_.Text_Seglon_i;
        case Field::Northing: return c_.Text_iNorte;
        case Field::Easting: return c_.Text_iEste;
        case Field::Zone: return c_.Text_zona_1;
        case Field::OutLatitude: return c_.Text_Olat;
        case Field::OutLongitude: return c_.Text_Olon;
        case Field::OutNorthing: return c_.Text_ONorte;
        case Field::OutEasting: return c_.Text_OEste;
        case Field::Accuracy: return c_.Text_DeltaError;
        case Field::OutZone: break;
    }
    return c_.Text_Zona;
}

void PointCommand::ShowFailure(const TabOutcome& outcome) const {
    if (const auto message = dialogs::PointFailureMessage(outcome.failed)) dialogs_.Show(*message);
    if (outcome.failed == core::Check::NoParameters) ClearResults();
}

void PointCommand::ClearResults() const {
    for (TextBox* box : {c_.Text_Olat, c_.Text_Olon, c_.Text_ONorte, c_.Text_OEste, c_.Text_DeltaError, c_.Text_Zona})
        box->setText(QString());
}

}  // namespace trevalco::point
