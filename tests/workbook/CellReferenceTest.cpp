// Column letters and A1 references, at the sheet's edges.
#include <gtest/gtest.h>

#include "CellReference.h"

namespace trevalco::workbook {
namespace {

TEST(ColumnLetters, RoundTripAcrossTheWholeSheetWidth) {
    for (std::int32_t index = 1; index <= kMaxColumns; ++index) {
        const std::string name = ColumnName(index);
        ASSERT_EQ(ColumnIndex(name), index) << name;
    }
    EXPECT_EQ(ColumnName(1), "A");
    EXPECT_EQ(ColumnName(26), "Z");
    EXPECT_EQ(ColumnName(27), "AA");
    EXPECT_EQ(ColumnName(kMaxColumns), "XFD");
}

TEST(ColumnLetters, LowerCaseIsAcceptedAndNonsenseGivesZero) {
    EXPECT_EQ(ColumnIndex("o"), 15);
    EXPECT_EQ(ColumnIndex("aB"), 28);
    EXPECT_EQ(ColumnIndex(""), 0);
    EXPECT_EQ(ColumnIndex("XFE"), 0);
    EXPECT_EQ(ColumnIndex("AAAA"), 0);
    EXPECT_EQ(ColumnIndex("C1"), 0);
    EXPECT_EQ(ColumnIndex("Columna C"), 0);
    EXPECT_EQ(ColumnName(0), "");
    EXPECT_EQ(ColumnName(kMaxColumns + 1), "");
}

TEST(CellReferences, ParseInsideTheSheetAndRefuseOutside) {
    EXPECT_EQ(ParseCellReference("B12"), (CellPosition{12, 2}));
    EXPECT_EQ(ParseCellReference("$C$7"), (CellPosition{7, 3}));
    EXPECT_EQ(ParseCellReference("XFD1048576"), (CellPosition{kMaxRows, kMaxColumns}));
    EXPECT_FALSE(ParseCellReference("A1048577"));
    EXPECT_FALSE(ParseCellReference("XFE1"));
    EXPECT_FALSE(ParseCellReference("A0"));
    EXPECT_FALSE(ParseCellReference("A"));
    EXPECT_FALSE(ParseCellReference("12"));
    EXPECT_FALSE(ParseCellReference("A1 "));
    EXPECT_FALSE(ParseCellReference("A99999999999"));
    EXPECT_EQ(CellName({1048576, 16384}), "XFD1048576");
}

}  // namespace
}  // namespace trevalco::workbook
