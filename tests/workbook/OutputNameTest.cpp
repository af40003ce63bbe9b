// The folder, stem and output name of a batch run's result.
#include <gtest/gtest.h>

#include "OutputName.h"

namespace trevalco::output {
namespace {

TEST(OutputName, FolderEndsAtTheLastSeparatorStemAtTheFirstDot) {
    EXPECT_EQ(LastSeparatorPos("/home/ana/datos.xlsx"), 10U);
    EXPECT_EQ(FolderOf("/home/ana/datos.xlsx"), "/home/ana/");
    EXPECT_EQ(LastSeparatorPos("C:\\obras\\datos.xls"), 9U);
    EXPECT_EQ(FolderOf("C:\\obras\\datos.xls"), "C:\\obras\\");
    EXPECT_EQ(LastSeparatorPos("ab\\cdefg\\h"), 9U);  // separators at 3 and 9
    EXPECT_EQ(LastSeparatorPos("C:\\"), 3U);
    EXPECT_EQ(LastSeparatorPos("datos.xlsx"), 0U);
    EXPECT_EQ(FolderOf("datos.xlsx"), "");
    EXPECT_EQ(FolderOf("/srv\\mixto/datos.xlsx"), "/srv\\mixto/");
    // The stem ends at the first dot of the file name.
    EXPECT_EQ(StemOf("datos.final.xls"), "datos");
    EXPECT_EQ(StemOf("datos"), "datos");
    EXPECT_EQ(StemOf(".datos.xlsx"), ".datos");
    EXPECT_EQ(StemOf("..."), "...");
    EXPECT_EQ(FileNameOf("/home/ana.b/datos.xlsx"), "datos.xlsx");
    // The output is folder, stem, "_1" and the format's extension.
    EXPECT_EQ(OutputBaseFor("/home/ana/datos.xlsx"), "/home/ana/datos_1");
    EXPECT_EQ(OutputBaseFor("C:\\obras\\datos.final.xls"), "C:\\obras\\datos_1");
    // A dot in a folder's name is not the file's.
    EXPECT_EQ(OutputBaseFor("/home/ana.b/puntos"), "/home/ana.b/puntos_1");
    EXPECT_EQ(OutputPathFor("/home/ana/datos.ods", ".ods"), "/home/ana/datos_1.ods");
    EXPECT_EQ(OutputPathFor("datos.v2.xlsx", ".xlsx"), "datos_1.xlsx");
}

}  // namespace
}  // namespace trevalco::output
