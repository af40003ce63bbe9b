// The error a file operation of a run reports: its text is ready to be shown
// to the user as it is (Spanish, names the file or folder concerned).
#pragma once

#include <stdexcept>

namespace trevalco::output {

class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace trevalco::output
