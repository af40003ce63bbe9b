// Column letters and A1 references, at the sheet's edges.
#include <gtest/gtest.h>

#include "CellReference.h"

namespace trevalco::workbook {
namespace {

TEST(CellReferences, ColumnsRoundTripAndReferencesOutsideTheSheetAreRefused) {
    for (std::int32_t index = 1; index <= kMaxColumns; ++index) ASSERT_EQ(ColumnIndex(ColumnName(index)), index) << index;
    const std::pair<const char*, std::int32_t> letters[] = {{"A", 1},   {"Z", 26},  {"AA", 27}, {"XFD", kMaxColumns},
                                                             {"o", 15},  {"aB", 28}, {"", 0},    {"XFE", 0},
                                                             {"AAAA", 0}, {"C1", 0}, {"Columna C", 0}};
    for (const auto& [name, index] : letters) EXPECT_EQ(ColumnIndex(name), index) << name;
    EXPECT_EQ(ColumnName(27), "AA");
    EXPECT_EQ(ColumnName(0), "");
    EXPECT_EQ(ColumnName(kMaxColumns + 1), "");
    // References inside the sheet are read; those outside are refused.
    EXPECT_EQ(ParseCellReference("B12"), (CellPosition{12, 2}));
    EXPECT_EQ(ParseCellReference("$C$7"), (CellPosition{7, 3}));
    EXPECT_EQ(ParseCellReference("XFD1048576"), (CellPosition{kMaxRows, kMaxColumns}));
    for (const char* outside : {"A1048577", "XFE1", "A0", "A", "12", "A1 ", "A99999999999"})
        EXPECT_FALSE(ParseCellReference(outside)) << outside;
    EXPECT_EQ(CellName({1048576, 16384}), "XFD1048576");
}

}  // namespace
}  // namespace trevalco::workbook
