// A progress sink for tests: remembers what the run showed, and can play a
// user who closes the window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgressSink.h"

namespace trevalco::batch::test {

class RecordingProgress final : public ProgressSink {
public:
    void Show() override { ++shown; }
    void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
    void SetMaximum(std::int32_t value) override { maximum = value; }
    void SetRow(std::int32_t value) override {
        EXPECT_LE(value, maximum) << "the bar passed its maximum";
        ++rowsSet;
        if (closeAtRow != 0 && value >= closeAtRow) closed = true;
    }
    void Finish() override { ++finished; }
    bool ClosedByUser() const override { return closed; }

    int shown = 0;
    int finished = 0;
    std::vector<std::string> statuses;
    std::int32_t maximum = 0;
    std::int32_t rowsSet = 0;
    std::int32_t closeAtRow = 0;  // the user closes the window when this row is shown
    bool closed = false;
};

}  // namespace trevalco::batch::test
