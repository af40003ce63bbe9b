// The "OK" command of the point tab: validates the typed point in the chosen
// notation, rewrites the input fields in their normal form, fills the other
// two notations with the same source point, carries the point to the target
// datum and shows the result.
#pragma once

#include <QObject>
#include <string>

#include "NumberText.h"
#include "Util.h"
#include "Dialogs.h"
#include "point/PointTabControls.h"

namespace trevalco::point {

class ZoneAndShiftOptions;

class PointCommand : public QObject {
    Q_OBJECT
public:
    // Connects the button OK. The forced zone is read from the options at
    // every projection.
    PointCommand(const PointTabControls& controls, const ZoneAndShiftOptions& options,
                 dialogs::Dialogs& dialogs, QObject* parent = nullptr);

    void OK_Click();

private:
    // Each mode returns when the run ends, at a message or after the results.
    void RunDecimalDegrees();
    void RunDegreesMinutesSeconds();
    void RunUtm();
    // From the signed source position on: shift, source UTM, target, results.
    void RunGeographicChain(double latitude, double longitude, const char* sourceUtmMask);

    std::string Key() const;

    std::string Text(const TextBox* box) const;
    void SetText(TextBox* box, const std::string& text) const;
    bool IsEmpty(const TextBox* box) const;
    bool IsNumeric(const TextBox* box) const;
    double Number(const TextBox* box) const;
    void Normalise(TextBox* box) const;

    // The texts of the six degree, minute and second fields for a source
    // position (Overflow when its whole degrees do not fit 16 bits).
    struct DmsTexts {
        std::string latDegrees, latMinutes, latSeconds;
        std::string lonDegrees, lonMinutes, lonSeconds;
    };
    DmsTexts MakeDmsTexts(double latitude, double longitude) const;
    void WriteDms(const DmsTexts& texts) const;
    void WriteResults(double latitude, double longitude, double northing, double easting,
                      std::int16_t zone) const;
    void ClearResults() const;

    void Reject(const char* message) const;
    void ReportNoParameters() const;

    PointTabControls c_;
    const ZoneAndShiftOptions& options_;
    dialogs::Dialogs& dialogs_;
    NumberText::Separators separators_;
};

}  // namespace trevalco::point
