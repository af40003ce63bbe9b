// The one error a workbook operation reports: its text is ready to be shown
// to the user as it is (Spanish, names the file or sheet concerned).
#pragma once

#include <stdexcept>

namespace trevalco::workbook {

class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace trevalco::workbook
