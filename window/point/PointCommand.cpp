#include "point/PointCommand.h"

#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "Chain.h"
#include "DELTAS.h"
#include "controls/TextBox.h"
#include "point/UserLocale.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::point {

namespace {

constexpr const char* kCompleteFields = " ¡ Complete Campos ! ";
constexpr const char* kNotNumeric = " ¡ Ingrese Datos Numéricos !";
constexpr const char* kOutOfRange = " ¡ Coordenadas Fuera de Rango ! ";
constexpr const char* kOutOfLimits = " ¡ Coordenadas Fuera de Límites ! ";
constexpr const char* kAccuracy = "+/- 5.0 m.";

constexpr const char* kDecimalModeUtmMask = "#########.##0";
constexpr const char* kDegreeModeUtmMask = "###,###,###.##0";
// The output mask is the grouped metres mask, a period and two blanks, and "m.".
const std::string kOutputMetresMask = std::string("###,###,###.##0") + ".  " + "m.";

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
    separators_ = UserSeparators();
    try {
        if (IsOn(c_.OpDecGra))
            RunDecimalDegrees();
        else if (IsOn(c_.OpGraMinSeg))
            RunDegreesMinutesSeconds();
        else if (IsOn(c_.OpUTM))
            RunUtm();
    } catch (const Overflow&) {
        // Whole degrees or a zone that 16 bits cannot hold: only typed UTM
        // values far outside any zone get here.
        Reject(kOutOfLimits);
    }
}

void PointCommand::RunDecimalDegrees() {
    if (IsEmpty(c_.Textlat) || IsEmpty(c_.Textlon)) return Reject(kCompleteFields);
    if (!IsNumeric(c_.Textlat) || !IsNumeric(c_.Textlon)) return Reject(kNotNumeric);
    Normalise(c_.Textlat);
    Normalise(c_.Textlon);
    const double latitude = -Number(c_.Textlat);
    const double longitude = -Number(c_.Textlon);
    if (!(longitude >= -77 && longitude < -66 && latitude >= -56 && latitude <= -17))
        return Reject(kOutOfLimits);
    WriteDms(MakeDmsTexts(latitude, longitude));
    RunGeographicChain(latitude, longitude, kDecimalModeUtmMask);
}

void PointCommand::RunDegreesMinutesSeconds() {
    if (IsEmpty(c_.Text_Gralat_i) || IsEmpty(c_.Text_Gralon_i)) return Reject(kCompleteFields);
    for (TextBox* box : {c_.Text_Minlat_i, c_.Text_Minlon_i, c_.Text_Seglat_i, c_.Text_Seglon_i})
        if (IsEmpty(box)) SetText(box, "0");
    const std::array<TextBox*, 6> inOrder{c_.Text_Gralat_i, c_.Text_Gralon_i, c_.Text_Minlat_i,
                                          c_.Text_Minlon_i, c_.Text_Seglat_i, c_.Text_Seglon_i};
    for (const TextBox* box : inOrder)
        if (!IsNumeric(box)) return Reject(kNotNumeric);
    for (const TextBox* box : {c_.Text_Minlat_i, c_.Text_Seglat_i, c_.Text_Minlon_i, c_.Text_Seglon_i}) {
        const double value = Number(box);
        if (!(value >= 0 && value < 60)) return Reject(kOutOfRange);
    }
    for (TextBox* box : inOrder) Normalise(box);

    double latitude = 0.0;
    double longitude = 0.0;
    Util::DmsToDecimal(latitude, Number(c_.Text_Gralat_i), Number(c_.Text_Minlat_i),
                       Number(c_.Text_Seglat_i));
    Util::DmsToDecimal(longitude, Number(c_.Text_Gralon_i), Number(c_.Text_Minlon_i),
                       Number(c_.Text_Seglon_i));
    SetText(c_.Textlat, NumberText::Format(std::fabs(latitude), "#0.000000", separators_));
    SetText(c_.Textlon, NumberText::Format(std::fabs(longitude), "#0.000000", separators_));
    latitude = -std::fabs(latitude);
    longitude = -std::fabs(longitude);
    if (!(longitude >= -76 && longitude <= -66 && latitude >= -56 && latitude <= -17))
        return Reject(kOutOfLimits);
    RunGeographicChain(latitude, longitude, kDegreeModeUtmMask);
}

void PointCommand::RunGeographicChain(double latitude, double longitude,
                                      const char* sourceUtmMask) {
    const auto start = chain::StartGeographic(Key(), latitude, longitude, options_.ForcedZone());
    if (!start.shift.found) {
        // The source UTM fields still hold an earlier point: no stale figure
        // may stand beside the new input.
        SetText(c_.Text_iNorte, "");
        SetText(c_.Text_iEste, "");
        SetText(c_.Text_zona_1, "");
        return ReportNoParameters();
    }
    SetText(c_.Text_iNorte, NumberText::Format(start.sourceUtm.northing, sourceUtmMask, separators_));
    SetText(c_.Text_iEste, NumberText::Format(start.sourceUtm.easting, sourceUtmMask, separators_));
    SetText(c_.Text_zona_1, NumberText::PlainText(start.sourceUtm.zone));
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, options_.ForcedZone(), start.sourceUtm.zone);
    WriteResults(target.latitude, target.longitude, target.utm.northing, target.utm.easting,
                 target.utm.zone);
}

void PointCommand::RunUtm() {
    const std::array<TextBox*, 3> fields{c_.Text_iNorte, c_.Text_iEste, c_.Text_zona_1};
    for (const TextBox* box : fields)
        if (IsEmpty(box)) return Reject(kCompleteFields);
    for (const TextBox* box : fields)
        if (!IsNumeric(box)) return Reject(kNotNumeric);
    for (TextBox* box : fields) Normalise(box);

    const auto zone = NumberText::WholeNumber16(Number(c_.Text_zona_1));
    if (!zone) return Reject(kOutOfLimits);
    const auto start = chain::StartUtm(Key(), *zone, Number(c_.Text_iNorte), Number(c_.Text_iEste));

    // The position continues as the six-decimal texts the fields show. All
    // texts are made first: a position that is no number, or whose whole
    // degrees do not fit 16 bits, is refused before any field is written.
    const std::string latitudeText = NumberText::Format(start.latitude, "#0.000000", separators_);
    const std::string longitudeText = NumberText::Format(start.longitude, "#0.000000", separators_);
    const auto shownLatitude = NumberText::ReadNumber(latitudeText, separators_);
    const auto shownLongitude = NumberText::ReadNumber(longitudeText, separators_);
    if (!shownLatitude || !shownLongitude) return Reject(kOutOfLimits);
    const DmsTexts dms = MakeDmsTexts(*shownLatitude, *shownLongitude);
    SetText(c_.Textlat, latitudeText);
    SetText(c_.Textlon, longitudeText);
    WriteDms(dms);
    const double latitude = -Number(c_.Textlat);
    const double longitude = -Number(c_.Textlon);

    const auto lookup = chain::LookupShift(Key(), latitude);
    if (!lookup.found) return ReportNoParameters();
    const auto target =
        chain::CarryToTarget(latitude, longitude, start.ellipsoids, lookup.shift, options_.ForcedZone(), *zone);
    if (!std::isfinite(target.latitude) || !std::isfinite(target.longitude) ||
        !std::isfinite(target.utm.northing) || !std::isfinite(target.utm.easting))
        return Reject(kOutOfLimits);
    WriteResults(target.latitude, target.longitude, target.utm.northing, target.utm.easting,
                 target.utm.zone);
}

std::string PointCommand::Key() const {
    if (IsOn(c_.SIRGAS_PSAD56)) return std::string(kSirgasToPsad56);
    if (IsOn(c_.SIRGAS_SAD69)) return std::string(kSirgasToSad69);
    if (IsOn(c_.PSAD56_SIRGAS)) return std::string(kPsad56ToSirgas);
    return std::string(kSad69ToSirgas);
}

std::string PointCommand::Text(const TextBox* box) const { return box->text().toStdString(); }

void PointCommand::SetText(TextBox* box, const std::string& text) const {
    box->setText(QString::fromStdString(text));
}

bool PointCommand::IsEmpty(const TextBox* box) const { return box->text().isEmpty(); }

bool PointCommand::IsNumeric(const TextBox* box) const {
    return NumberText::IsNumericText(Text(box), separators_);
}

double PointCommand::Number(const TextBox* box) const {
    return NumberText::ReadNumber(Text(box), separators_).value_or(0.0);
}

void PointCommand::Normalise(TextBox* box) const {
    SetText(box, NumberText::PlainText(std::fabs(Number(box)), separators_));
}

PointCommand::DmsTexts PointCommand::MakeDmsTexts(double latitude, double longitude) const {
    std::int16_t latDegrees = 0, lonDegrees = 0;
    double latMinutes = 0, lonMinutes = 0, latSeconds = 0, lonSeconds = 0;
    Util::DecimalToDms(latitude, longitude, latDegrees, lonDegrees, latMinutes, lonMinutes,
                       latSeconds, lonSeconds);
    const auto degrees = [](std::int16_t d) { return std::to_string(std::abs(static_cast<int>(d))); };
    const auto minutes = [this](double m) { return NumberText::PlainText(std::fabs(m), separators_); };
    const auto seconds = [this](double s) {
        return NumberText::Format(std::fabs(s), "####0.0000", separators_);
    };
    return {degrees(latDegrees), minutes(latMinutes), seconds(latSeconds),
            degrees(lonDegrees), minutes(lonMinutes), seconds(lonSeconds)};
}

void PointCommand::WriteDms(const DmsTexts& texts) const {
    SetText(c_.Text_Gralat_i, texts.latDegrees);
    SetText(c_.Text_Minlat_i, texts.latMinutes);
    SetText(c_.Text_Seglat_i, texts.latSeconds);
    SetText(c_.Text_Gralon_i, texts.lonDegrees);
    SetText(c_.Text_Minlon_i, texts.lonMinutes);
    SetText(c_.Text_Seglon_i, texts.lonSeconds);
}

void PointCommand::WriteResults(double latitude, double longitude, double northing,
                                double easting, std::int16_t zone) const {
    // Every text is made before any field is written, so a failure leaves
    // the results of the last run as they were.
    const std::string olat = Util::FormatDms(latitude, separators_);
    const std::string olon = Util::FormatDms(longitude, separators_);
    SetText(c_.Text_Olat, olat);
    SetText(c_.Text_Olon, olon);
    SetText(c_.Text_ONorte, NumberText::Format(northing, kOutputMetresMask, separators_));
    SetText(c_.Text_OEste, NumberText::Format(easting, kOutputMetresMask, separators_));
    SetText(c_.Text_DeltaError, kAccuracy);
    SetText(c_.Text_Zona, NumberText::PlainText(zone));
}

void PointCommand::ClearResults() const {
    for (TextBox* box : {c_.Text_Olat, c_.Text_Olon, c_.Text_ONorte, c_.Text_OEste,
                         c_.Text_DeltaError, c_.Text_Zona})
        SetText(box, "");
}

void PointCommand::Reject(const char* message) const {
    dialogs_.Show({message, "Error", MessageIcon::Exclamation, dialogs::Buttons::Ok});
}

void PointCommand::ReportNoParameters() const {
    dialogs_.Show({std::string(DELTAS::kNoParametersText), std::string(DELTAS::kNoParametersTitle),
                   DELTAS::kNoParametersIcon, dialogs::Buttons::Ok});
    ClearResults();
}

}  // namespace trevalco::point
