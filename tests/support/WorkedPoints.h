// The worked points of tests/data/worked-points.tsv, and the check of the
// ten output fields of one of them, for every test that runs the table.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace trevalco::test {

struct WorkedPoint {
    std::string direction;   // SIRGAS_PSAD56 ...
    std::string from;        // dd, dms or utm
    std::string input;       // the coordinates, separated by blanks
    int forcedZone = 0;      // 0: none
    std::vector<std::string> expected;  // the ten output fields; "?" not checked
    bool proj = false;       // a PROJ figure (else a documented one)
};

// The fields of a line, between tabs or another separator.
inline std::vector<std::string> SplitTabs(const std::string& line, char separator = '\t') {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
    return fields;
}

inline std::vector<WorkedPoint> LoadWorkedPoints() {
    std::ifstream file(TREVALCO_TEST_DATA "/worked-points.tsv");
    std::vector<WorkedPoint> points;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        const auto f = SplitTabs(line);
        if (f.size() != 15) ADD_FAILURE() << "a worked point needs 15 fields: " << line;
        if (f.size() != 15) continue;
        points.push_back({f[0], f[1], f[2], std::stoi(f[3]), {f.begin() + 4, f.begin() + 14}, f[14] == "proj"});
    }
    if (points.size() < 20) ADD_FAILURE() << "the worked points were not read";
    return points;
}

// A documented figure must round to itself; PROJ differs by rounding and,
// 1 degree from the central meridian, a fraction of a millimetre.
inline void ExpectWorkedFields(const WorkedPoint& point, const std::vector<std::string>& fields) {
    ASSERT_EQ(fields.size(), 10u);
    const double degrees = point.proj ? 2e-10 : 5e-11;
    const double metres = point.proj ? 2e-3 : 5e-4;
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string& expected = point.expected[i];
        if (expected == "?") continue;
        if (expected == "*" || i % 5 == 4) {
            EXPECT_EQ(fields[i], expected) << "field " << i + 1;
            continue;
        }
        const double tolerance = i % 5 < 2 ? degrees : metres;
        EXPECT_NEAR(std::stod(fields[i]), std::stod(expected), tolerance) << "field " << i + 1;
    }
}

}  // namespace trevalco::test
