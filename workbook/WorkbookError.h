// The one error a workbook operation reports: its text is ready to be shown
// to the user as it is (Spanish, names the file or sheet concerned).
#pragma once

#include <stdexcept>

namespace trevalco::workbook {

class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation given up because the caller asked it to stop (Ctrl-C, the
// program ending): not a failure to report, and nothing was left half done.
class Interrupted : public std::runtime_error {
public:
    Interrupted() : std::runtime_error("interrumpido") {}
};

}  // namespace trevalco::workbook
