// The "OK" command of the point tab: hands the typed point in the chosen
// notation to the tab's rules, writes the fields it rewrites (the input in
// its normal form, the other two notations of the same source point, the
// result) and shows the message of a failed check.
#pragma once

#include <QObject>
#include <string>

#include "Dialogs.h"
#include "PointCore.h"
#include "PointTabRules.h"
#include "point/PointTabControls.h"

namespace trevalco::point {

class ZoneAndShiftOptions;

class PointCommand : public QObject {
    Q_OBJECT
public:
    // Connects the button OK. The forced zone is read from the options at
    // every run.
    PointCommand(const PointTabControls& controls, const ZoneAndShiftOptions& options,
                 dialogs::Dialogs& dialogs, QObject* parent = nullptr);

    void OK_Click();

private:
    void Run(core::Notation notation, std::initializer_list<const TextBox*> inputs);
    TextBox* BoxOf(Field field) const;
    void ShowFailure(const TabOutcome& outcome) const;
    void ClearResults() const;

    PointTabControls c_;
    const ZoneAndShiftOptions& options_;
    dialogs::Dialogs& dialogs_;
};

}  // namespace trevalco::point
