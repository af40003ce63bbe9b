// Where a batch run shows how far it is: the progress window in the program,
// a bar on the terminal for the command line.
#pragma once

#include <cstdint>
#include <string_view>

namespace trevalco::batch {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    // Shown (modeless) once the run starts its work.
    virtual void Show() = 0;
    virtual void SetStatus(std::string_view text) = 0;
    // The bar runs from 0 to this row number.
    virtual void SetMaximum(std::int32_t maximum) = 0;
    // The next row to convert: the bar's value and the row text.
    virtual void SetRow(std::int32_t row) = 0;
    // At the end: bar to 0, texts emptied, the window gone.
    virtual void Finish() = 0;
    // The user closed the window during the run, which counts as Cancel.
    virtual bool ClosedByUser() const = 0;

protected:
    ProgressSink() = default;
    ProgressSink(const ProgressSink&) = default;
    ProgressSink& operator=(const ProgressSink&) = default;
};

}  // namespace trevalco::batch
