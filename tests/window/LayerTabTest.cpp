// The tab "Calcular Capa SIG" through the window: a layer chosen with
// "Examinar" or "Open with", its CRS shown or chosen, the direction and zone
// read from the window, the output named in the save dialog, the run with
// its progress window, its summary and the list of what it left out.
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "CommandLine.h"
#include "LayerSupport.h"
#include "OutputLock.h"
#include "TestBooks.h"
#include "WindowFixture.h"
#include "batch/Avance.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "layer/LayerTab.h"

namespace trevalco::layer::test {
namespace {

using layers::test::MakeLayer;
using layers::test::Read;
using workbook::test::TestFolder;
namespace fs = std::filesystem;

// The documented worked example: 33.45 S, 70.65 W on SIRGAS, UTM 19S
// 6297606.833 N 346642.695 E, is 6297980.173 N 346825.988 E on PSAD56
// (33.4461474161 S, 70.6478833098 W).
const std::string kSirgasPoint = "\"POINT (346642.695 6297606.833)\"";
constexpr double kPsadN = 6297980.173, kPsadE = 346825.988;
constexpr double kPsadLat = -33.4461474161, kPsadLon = -70.6478833098;
constexpr double kMillimetre = 0.001, kMicrodegree = 1e-8;

class LayerTabWindow : public trevalco::testing::WindowFixture {
protected:
    const layer::LayerTabControls& C() const { return window->Form().layer; }
    // Chooses the file with "Examinar" on the layer tab.
    void Examine(const fs::path& file) {
        window->Form().SSTab1->setCurrentIndex(2);
        dialogs.ChooseFile(file.string());
        C().Examina_capa->click();
    }
    // Presses OK, the save dialog answering `output` (nothing: not asked),
    // and the next `answers` messages with OK.
    void Ok(const std::optional<fs::path>& output, int answers = 1) {
        if (output) dialogs.ChooseSaveFile(output->string());
        while (answers-- > 0) dialogs.Answer(dialogs::Answer::Ok);
        C().Ok_capa->click();
    }
    void During(std::function<void()> during) { QTimer::singleShot(0, window.get(), std::move(during)); }
    LayerTab& Tab() { return window->LayerTab(); }
    std::string LastText() const { return dialogs.Messages().back().text; }

    TestFolder folder;
};

// A SIRGAS layer in UTM 19S to PSAD56: the worked point lands on its
// documented figures; a point north of the equator is left out and a line
// across 36° S crosses a band limit, both in the summary and its list.
TEST_F(LayerTabWindow, AGeoPackageIsConvertedAndItsOmissionsListed) {
    const fs::path input = folder / "obra.gpkg";
    MakeLayer(input,
              "P1," + kSirgasPoint + "\nNorte,\"POINT (346642.695 10100000)\"\n" +
                  "Linea,\"LINESTRING (346642.695 6297606.833,346642.695 5900000)\"\n",
              "EPSG:32719");
    Examine(input);
    EXPECT_EQ(C().Text_sistema->text(), "EPSG:32719 WGS 84 / UTM zone 19S");
    EXPECT_EQ(C().Text_elementos->text(), "3");
    EXPECT_FALSE(C().cmbsistema->isEnabled());

    Ok(folder / "salida.gpkg");  // and "Sí" to the list
    ASSERT_EQ(dialogs.SaveRequests().size(), 1U);
    EXPECT_EQ(dialogs.SaveRequests()[0].suggestedPath, (folder / "obra_1.gpkg").string());
    const dialogs::Message& summary = dialogs.Messages().back();
    EXPECT_EQ(summary.buttons, dialogs::Buttons::YesNo);
    for (const char* part : {"Capa Guardada como \"salida.gpkg\"", "EPSG:32719 a EPSG:24879 PSAD56 / UTM zone 19S",
                             "Elementos escritos: 2", "Omitidos: 1", "1: al norte del ecuador o al este de Greenwich",
                             "1 elemento cruza un límite de banda"})
        EXPECT_NE(summary.text.find(part), std::string::npos) << part << " in " << summary.text;
    ASSERT_EQ(dialogs.Tables().size(), 1U);
    const auto& rows = dialogs.Tables()[0].rows;
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0][0], "2");
    EXPECT_EQ(rows[1][1], "cruza un límite de banda");
    EXPECT_EQ(rows[1][2], "-36");

    const auto read = Read(folder / "salida.gpkg");
    EXPECT_EQ(read.code, 24879);
    EXPECT_EQ(read.names, (std::vector<std::string>{"P1", "Linea"}));
    EXPECT_NEAR(read.vertices.at(0).at(0).x, kPsadE, kMillimetre);
    EXPECT_NEAR(read.vertices.at(0).at(0).y, kPsadN, kMillimetre);
    EXPECT_EQ(Tab().LastOutcome()->end, RunOutcome::End::Completed);
}

// A DXF names no CRS: OK asks for one until it is chosen from the four
// datums' CRSs; then the drawing is written on PSAD56 in latitude and
// longitude when asked for, never together with a forced zone.
TEST_F(LayerTabWindow, ACrsLessDxfTakesTheChosenCrs) {
    const fs::path input = folder / "plano.dxf";
    MakeLayer(input, "P1," + kSirgasPoint + "\n", "");
    Examine(input);
    EXPECT_EQ(C().Text_sistema->text(), "sin sistema de referencia");
    ASSERT_TRUE(C().cmbsistema->isEnabled());
    Ok(std::nullopt);
    EXPECT_EQ(LastText(), "La capa no trae sistema de referencia: elija el suyo en \"Elegido\", bajo \"Sistema de referencia\".");

    QStringList choices = trevalco::testing::Items(*C().cmbsistema);
    for (const char* code : {"EPSG:4248 ", "EPSG:24878 ", "EPSG:24879 ", "EPSG:4618 ", "EPSG:4326 ", "EPSG:32719 ", "EPSG:20041 "})
        EXPECT_TRUE(choices.join('|').contains(QString::fromLatin1(code))) << code;
    C().cmbsistema->SetListIndex(static_cast<int>(choices.indexOf("EPSG:32719 WGS 84 / UTM zone 19S")));
    C().Check_geografica->setChecked(true);
    window->Form().point.Check1->setChecked(true);
    Ok(std::nullopt);
    EXPECT_EQ(LastText(), "\"Forzar Zonas\" y \"Coordenadas geográficas\" se excluyen: desmarque uno de los dos.");

    window->Form().point.Check1->setChecked(false);
    Ok(folder / "plano_psad56.dxf");
    EXPECT_NE(LastText().find("EPSG:32719 a EPSG:4248 PSAD56"), std::string::npos) << LastText();
    const auto read = Read(folder / "plano_psad56.dxf");
    ASSERT_EQ(read.vertices.size(), 1U);
    EXPECT_NEAR(read.vertices[0].at(0).x, kPsadLon, kMicrodegree);
    EXPECT_NEAR(read.vertices[0].at(0).y, kPsadLat, kMicrodegree);
    EXPECT_TRUE(fs::exists(folder / "plano_psad56.prj"));
}

// The direction's source must be the layer's datum; the message names the
// direction that fits, and nothing is asked or written. (OK pressed with
// Return, as on the other tabs.)
TEST_F(LayerTabWindow, ADirectionThatDoesNotFitTheLayerIsNamed) {
    const fs::path input = folder / "psad.geojson";
    MakeLayer(input, "P1,\"POINT (346825.988 6297980.173)\"\n", "EPSG:24879");
    Examine(input);
    window->Form().point.SIRGAS_SAD69->setChecked(true);
    EXPECT_EQ(C().Text_direccion->text(), "SIRGAS (WGS84) -> SAD69");
    ShowActive();  // Return on the focused OK presses it
    C().Ok_capa->setFocus(Qt::TabFocusReason);
    dialogs.Answer(dialogs::Answer::Ok);
    QTest::keyClick(C().Ok_capa, Qt::Key_Return);
    EXPECT_EQ(LastText(), "La capa está en PSAD56 (EPSG:24879 PSAD56 / UTM zone 19S) y la dirección elegida, "
                          "\"SIRGAS (WGS84) -> SAD69\", lee SIRGAS.\nElija \"PSAD56 -> SIRGAS (WGS84)\" en "
                          "\"Opciones\" de la pestaña \"Calcular Coordenadas\".");
    EXPECT_TRUE(dialogs.SaveRequests().empty());
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"psad.geojson"});
}

// Cancel on the progress window in the middle of a large layer: the run
// stops, says so, and leaves nothing beside the input; the controls come
// back. Closing the main window stops a run too. An output another run
// holds is refused with the holder named.
TEST_F(LayerTabWindow, CancelAndAHeldOutputLeaveNothingWritten) {
    const fs::path input = folder / "puntos.csv";
    {
        std::ofstream csv(input);
        csv << "id,X,Y\n";
        for (int i = 0; i < 200000; ++i) csv << i << ",-70." << 100000 + i << ",-33.45\n";
    }
    Examine(input);
    C().cmbsistema->SetListIndex(C().cmbsistema->findText("EPSG:4326 WGS 84"));
    int maximum = 0;
    During([&] {
        maximum = Tab().ProgressWindow()->ProgressBar1->maximum();
        EXPECT_FALSE(C().Ok_capa->isEnabled());
        Tab().ProgressWindow()->Cancelar->click();
    });
    Ok(folder / "puntos_1.csv");
    EXPECT_EQ(maximum, 200000);
    EXPECT_EQ(Tab().LastOutcome()->end, RunOutcome::End::Interrupted);
    EXPECT_EQ(LastText(), "Conversión cancelada: no se escribió nada.");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"puntos.csv"});
    EXPECT_TRUE(C().Ok_capa->isEnabled());

    // Closing the main window during a run ends the program: the run stops
    // without a message.
    window->show();
    During([&] { window->Form().Salir->click(); });
    Ok(folder / "puntos_1.csv", 0);
    EXPECT_EQ(Tab().LastOutcome()->end, RunOutcome::End::Interrupted);
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"puntos.csv"});

    const auto held = output::OutputLock::Take(folder / "puntos_1.csv");
    ASSERT_TRUE(held);
    Ok(folder / "puntos_1.csv");
    EXPECT_EQ(LastText().rfind("No se pudo convertir la capa: otra conversión (proceso ", 0), 0U) << LastText();
    EXPECT_FALSE(fs::exists(folder / "puntos_1.csv"));
}

// "Open with" a layer: the window shows the layer tab with the file's
// layers listed; a workbook still goes to its own tab, and a file that is
// no layer is refused with GDAL's reading named.
TEST_F(LayerTabWindow, OpenWithShowsTheLayerTab) {
    const fs::path input = folder / "dos.gpkg";
    MakeLayer(input, "P1," + kSirgasPoint + "\n", "EPSG:32719");
    MakeLayer(folder / "otra.gpkg", "P2," + kSirgasPoint + "\n", "EPSG:32719");
    const std::string add = "ogr2ogr -q -update '" + input.string() + "' '" + (folder / "otra.gpkg").string() + "' -nln otra";
    ASSERT_EQ(std::system(add.c_str()), 0) << add;
    app::OpenFile(*window, QString::fromStdString(input.string()));
    EXPECT_EQ(window->Form().SSTab1->currentIndex(), 2);
    EXPECT_EQ(C().Text_capa->text().toStdString(), input.string());
    EXPECT_EQ(trevalco::testing::Items(*C().cmbcapa), (QStringList{"vertices", "otra"}));

    workbook::test::Spill(folder / "roto.shp", "no es una capa");
    dialogs.Answer(dialogs::Answer::Ok);
    app::OpenFile(*window, QString::fromStdString((folder / "roto.shp").string()));
    EXPECT_NE(LastText().find("no se puede leer"), std::string::npos) << LastText();
    EXPECT_EQ(C().cmbcapa->count(), 0);
    EXPECT_TRUE(C().Text_sistema->text().isEmpty());
}

}  // namespace
}  // namespace trevalco::layer::test
