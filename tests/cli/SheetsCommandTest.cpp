// trevalco-cli sheets: the sheet names on stdout, a workbook's problem on
// stderr, and the exit status.
#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

using SheetsCommand = CliFixture;

TEST_F(SheetsCommand, ListsTheWorksheetsOneALineInWorkbookOrder) {
    const std::string sheet = workbook::test::SheetXml("");
    workbook::test::BookLayout book;
    book.sheets = {{"Norte", sheet, false}, {"Gráfico 1", sheet, true}, {"Zona Centro", sheet, false}, {"Sur", sheet, false}};
    workbook::test::WriteBook(folder / "zonas.xlsx", book);
    workbook::test::Spill(folder / "puntos.final.csv", "P1;33,45;70,65\n");
    for (const auto& [file, sheets] : {std::pair{"zonas.xlsx", "Norte\nZona Centro\nSur\n"},
                                       {"puntos.final.csv", "puntos\n"}}) {
        const CliRun run = Cli("sheets " + Quoted(file));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, sheets);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(SheetsCommand, AnUnreadableWorkbookGivesItsMessageAndStatusThree) {
    workbook::test::Spill(folder / "texto.xlsx", "Latitud;Longitud\n");
    workbook::test::Spill(folder / "roto.csv", "a;b\n\"c;d\n");
    for (const auto& [file, reason] :
         {std::pair{"texto.xlsx", "no es un libro .xlsx válido (no es un paquete zip; puede estar dañado o protegido "
                                  "con contraseña).\n"},
          {"roto.csv", "la comilla que abre un campo en la línea 2 no se cierra.\n"},
          {"falta.xlsx", "el archivo no existe.\n"}}) {
        const CliRun run = Cli("sheets " + Quoted(file));
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "trevalco-cli sheets: No se puede abrir el libro «" + (folder / file).string() + "»: " + reason);
    }
}

TEST_F(SheetsCommand, WrongArgumentsGiveUsageAndStatusTwo) {
    const std::string usage = "Uso: trevalco-cli sheets LIBRO\n";
    for (const auto& [arguments, status, start] :
         {std::tuple{"sheets", 2, "trevalco-cli sheets: falta el libro\n\n" + usage},
          {"sheets a.xlsx b.xlsx", 2, "trevalco-cli sheets: se espera un solo libro\n\n" + usage},
          {"sheets --help", 0, usage}}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_TRUE((status == 0 ? run.out : run.err).starts_with(start)) << run.out << run.err;
    }
}

}  // namespace
}  // namespace trevalco::cli::test
