// The OK command of the point tab, driven through the real window: every
// field it writes, the order of its rejections, and the locale's numbers.
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <vector>

#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

const std::vector<const char*> kOutput{"Text_Olat", "Text_Olon", "Text_ONorte",
                                       "Text_OEste", "Text_DeltaError", "Text_Zona"};
const std::vector<const char*> kEveryField{
    "Textlat", "Textlon", "Text_Gralat_i", "Text_Minlat_i", "Text_Seglat_i", "Text_Gralon_i",
    "Text_Minlon_i", "Text_Seglon_i", "Text_iNorte", "Text_iEste", "Text_zona_1", "Text_Olat",
    "Text_Olon", "Text_ONorte", "Text_OEste", "Text_DeltaError", "Text_Zona"};

class PointCommandTest : public WindowFixture {
protected:
    PointCommandTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~PointCommandTest() override { QLocale::setDefault(QLocale::c()); }

    void Set(const char* name, const char* text) { Find<QLineEdit>(name)->setText(QString::fromUtf8(text)); }
    std::string Text(const char* name) { return Find<QLineEdit>(name)->text().toStdString(); }
    void Choose(const char* option) { Find<QRadioButton>(option)->click(); }
    void PressOk() { Find<QPushButton>("OK")->click(); }

    std::map<std::string, std::string> Fields() {
        std::map<std::string, std::string> texts;
        for (const char* name : kEveryField) texts[name] = Text(name);
        return texts;
    }

    // Runs OK expecting exactly one rejection with the given text.
    void ExpectRejected(const char* text) {
        const std::size_t before = dialogs.Messages().size();
        dialogs.Answer(dialogs::Answer::Ok);
        PressOk();
        ASSERT_EQ(dialogs.Messages().size(), before + 1) << text;
        const auto& message = dialogs.Messages().back();
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.title, "Error");
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(message.buttons, dialogs::Buttons::Ok);
    }

    void ExpectAccepted() {
        const std::size_t before = dialogs.Messages().size();
        PressOk();
        EXPECT_EQ(dialogs.Messages().size(), before);
        EXPECT_EQ(Text("Text_DeltaError"), "+/- 5.0 m.");
    }

    void TypeDecimal(const char* lat, const char* lon) {
        Set("Textlat", lat);
        Set("Textlon", lon);
    }
    void TypeDms(const char* latD, const char* latM, const char* latS, const char* lonD,
                 const char* lonM, const char* lonS) {
        Set("Text_Gralat_i", latD);
        Set("Text_Minlat_i", latM);
        Set("Text_Seglat_i", latS);
        Set("Text_Gralon_i", lonD);
        Set("Text_Minlon_i", lonM);
        Set("Text_Seglon_i", lonS);
    }
    void TypeUtm(const char* northing, const char* easting, const char* zone) {
        Set("Text_iNorte", northing);
        Set("Text_iEste", easting);
        Set("Text_zona_1", zone);
    }
};

TEST_F(PointCommandTest, DecimalDegreesFillEveryNotationAndTheResult) {
    Choose("SIRGAS_SAD69");
    TypeDecimal("33.45", "70.65");
    ExpectAccepted();
    const std::map<std::string, std::string> expected{
        {"Textlat", "33.45"},
        {"Textlon", "70.65"},
        {"Text_Gralat_i", "33"},
        {"Text_Minlat_i", "27"},
        {"Text_Seglat_i", "0.0000"},
        {"Text_Gralon_i", "70"},
        {"Text_Minlon_i", "39"},
        {"Text_Seglon_i", "0.0000"},
        {"Text_iNorte", "6297606.833"},
        {"Text_iEste", "346642.695"},
        {"Text_zona_1", "19"},
        {"Text_Olat", " 33°  26'  58.7717\""},
        {"Text_Olon", " 70°  38'  57.6619\""},
        {"Text_ONorte", "6,297,632.781.  m."},
        {"Text_OEste", "346,701.908.  m."},
        {"Text_DeltaError", "+/- 5.0 m."},
        {"Text_Zona", "19"}};
    EXPECT_EQ(Fields(), expected);
}

TEST_F(PointCommandTest, DecimalDegreesInAChileanLocale) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Chile));
    Choose("SIRGAS_SAD69");
    TypeDecimal("33,45", "-70,65");
    ExpectAccepted();
    EXPECT_EQ(Text("Textlon"), "70,65");
    EXPECT_EQ(Text("Text_iNorte"), "6297606,833");
    EXPECT_EQ(Text("Text_Olat"), " 33°  26'  58,7717\"");
    EXPECT_EQ(Text("Text_ONorte"), "6.297.632,781.  m.");
    EXPECT_EQ(Text("Text_OEste"), "346.701,908.  m.");
    // A point is not a decimal separator here.
    TypeDecimal("33.45", "70,65");
    ExpectRejected(" ¡ Ingrese Datos Numéricos !");
}

TEST_F(PointCommandTest, DecimalDegreesValidationOrderAndLimits) {
    TypeDecimal("", "70");
    ExpectRejected(" ¡ Complete Campos ! ");
    TypeDecimal(" ", "70");  // a blank is not empty, and not numeric
    ExpectRejected(" ¡ Ingrese Datos Numéricos !");
    TypeDecimal("1e400", "70");
    ExpectRejected(" ¡ Ingrese Datos Numéricos !");
    TypeDecimal("-16.99", "70");
    ExpectRejected(" ¡ Coordenadas Fuera de Límites ! ");
    EXPECT_EQ(Text("Textlat"), "16.99");  // normalised before the limits
    for (auto [lat, lon] : {std::pair{"56.01", "70"}, {"33", "66"}, {"33", "77.01"}}) {
        TypeDecimal(lat, lon);
        ExpectRejected(" ¡ Coordenadas Fuera de Límites ! ");
    }
    Choose("SIRGAS_SAD69");  // parameters for every latitude
    for (auto [lat, lon] : {std::pair{"17", "70"}, {"56", "70"}, {"33", "66.01"}, {"33", "77"}}) {
        TypeDecimal(lat, lon);
        ExpectAccepted();
    }
}

TEST_F(PointCommandTest, RejectionKeepsTheLastResult) {
    TypeDecimal("33.45", "70.65");
    ExpectAccepted();
    const auto before = Fields();
    TypeDecimal("-33.5", "80");
    ExpectRejected(" ¡ Coordenadas Fuera de Límites ! ");
    for (const char* name : kOutput) EXPECT_EQ(Text(name), before.at(name)) << name;
    EXPECT_EQ(Text("Textlat"), "33.5");
}

TEST_F(PointCommandTest, DegreesMinutesSecondsWorkedExampleToPsad56) {
    Choose("OpGraMinSeg");
    TypeDms("33", "27", "0", "70", "39", "0");
    ExpectAccepted();
    EXPECT_EQ(Text("Textlat"), "33.450000");
    EXPECT_EQ(Text("Textlon"), "70.650000");
    EXPECT_EQ(Text("Text_iNorte"), "6,297,606.833");
    EXPECT_EQ(Text("Text_iEste"), "346,642.695");
    EXPECT_EQ(Text("Text_Olat"), " 33°  26'  46.1307\"");
    EXPECT_EQ(Text("Text_Olon"), " 70°  38'  52.3799\"");
    EXPECT_EQ(Text("Text_ONorte"), "6,297,980.173.  m.");
    EXPECT_EQ(Text("Text_OEste"), "346,825.988.  m.");
    EXPECT_EQ(Text("Text_Zona"), "19");
}

TEST_F(PointCommandTest, DegreesMinutesSecondsFillsZerosAndChecksInOrder) {
    Choose("OpGraMinSeg");
    TypeDms("", "1", "1", "70", "1", "1");
    ExpectRejected(" ¡ Complete Campos ! ");
    TypeDms("-33", "", "", "70", "", "abc");
    ExpectRejected(" ¡ Ingrese Datos Numéricos !");
    EXPECT_EQ(Text("Text_Minlat_i"), "0");  // the zeros stay after the rejection
    EXPECT_EQ(Text("Text_Seglat_i"), "0");
    EXPECT_EQ(Text("Text_Minlon_i"), "0");
    EXPECT_EQ(Text("Text_Seglon_i"), "abc");
    TypeDms("33", "60", "0", "70", "0", "0");
    ExpectRejected(" ¡ Coordenadas Fuera de Rango ! ");
    TypeDms("33", "-5", "0", "70", "0", "0");
    ExpectRejected(" ¡ Coordenadas Fuera de Rango ! ");
    TypeDms("33", "0", "0", "76", "0", "0.1");
    ExpectRejected(" ¡ Coordenadas Fuera de Límites ! ");

    Choose("SIRGAS_SAD69");
    TypeDms("-33", "", "", "70", "", "");
    ExpectAccepted();
    EXPECT_EQ(Text("Text_Gralat_i"), "33");
    EXPECT_EQ(Text("Textlat"), "33.000000");
    for (auto dms : {std::vector{"33", "59.999", "0", "70", "0", "0"},
                     std::vector{"33", "0", "0", "66", "0", "0"},
                     std::vector{"56", "0", "0", "70", "0", "0"}}) {
        TypeDms(dms[0], dms[1], dms[2], dms[3], dms[4], dms[5]);
        ExpectAccepted();
    }
}

TEST_F(PointCommandTest, UtmRoundsTheSourceThroughTheSixDecimalFields) {
    Choose("OpUTM");
    Choose("SIRGAS_SAD69");
    TypeUtm("6297606.833", "346642.695", "19");
    ExpectAccepted();
    EXPECT_EQ(Text("Textlat"), "33.450000");
    EXPECT_EQ(Text("Textlon"), "70.650000");
    EXPECT_EQ(Text("Text_Gralat_i"), "33");
    EXPECT_EQ(Text("Text_Minlon_i"), "39");
    // The chain goes on from exactly 33.45, 70.65: the decimal mode's result.
    EXPECT_EQ(Text("Text_Olat"), " 33°  26'  58.7717\"");
    EXPECT_EQ(Text("Text_ONorte"), "6,297,632.781.  m.");
    EXPECT_EQ(Text("Text_OEste"), "346,701.908.  m.");
    EXPECT_EQ(Text("Text_iNorte"), "6297606.833");  // the input, normalised, stays
}

TEST_F(PointCommandTest, UtmZoneRoundsHalvesToEven) {
    Choose("OpUTM");
    TypeUtm("6297606.833", "346642.695", "19.5");
    ExpectAccepted();
    EXPECT_EQ(Text("Text_zona_1"), "19.5");
    EXPECT_EQ(Text("Textlon"), "64.650000");  // zone 20
    TypeUtm("6297606.833", "346642.695", "18.5");
    ExpectAccepted();
    EXPECT_EQ(Text("Textlon"), "76.650000");  // zone 18
}

TEST_F(PointCommandTest, HostileUtmInputNeverWritesAResult) {
    Choose("OpUTM");
    TypeUtm("6297606.833", "346642.695", "19");
    ExpectAccepted();
    const auto good = Fields();
    for (auto utm : {std::vector{"6297606.833", "346642.695", "40000"},
                     std::vector{"6297606.833", "346642.695", "5492"},
                     std::vector{"1e300", "346642.695", "19"},
                     std::vector{"6297606.833", "1e300", "19"},
                     std::vector{"1e200", "1e200", "-30000"}}) {
        TypeUtm(utm[0], utm[1], utm[2]);
        ExpectRejected(" ¡ Coordenadas Fuera de Límites ! ");
        for (const char* name : kOutput) EXPECT_EQ(Text(name), good.at(name)) << utm[0];
    }
    TypeUtm("", "1", "19");
    ExpectRejected(" ¡ Complete Campos ! ");
    TypeUtm("1e400", "1", "19");
    ExpectRejected(" ¡ Ingrese Datos Numéricos !");
    // Whatever the program accepts, no field shows a number that is not one.
    for (auto utm : {std::vector{"0", "0", "1"}, std::vector{"99999999", "0", "60"},
                     std::vector{"10000000", "500000", "-5430"}}) {
        TypeUtm(utm[0], utm[1], utm[2]);
        dialogs.Answer(dialogs::Answer::Ok);
        PressOk();
        for (const auto& [name, text] : Fields()) {
            const QString lower = QString::fromStdString(text).toLower();
            EXPECT_FALSE(lower.contains("nan") || lower.contains("inf")) << name << ": " << text;
        }
    }
}

TEST_F(PointCommandTest, NoBandParametersEmptiesTheResults) {
    TypeDecimal("33.45", "70.65");
    ExpectAccepted();
    TypeDecimal("17", "70");  // SIRGAS to PSAD56 has nothing at 17 degrees
    dialogs.Answer(dialogs::Answer::Ok);
    PressOk();
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    const auto& message = dialogs.Messages().back();
    EXPECT_EQ(message.text, "¡ No exixten Parametros para esta Latitud !");
    EXPECT_EQ(message.title, " Error ");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    for (const char* name : kOutput) EXPECT_EQ(Text(name), "") << name;
    // The degree fields were rewritten with the new point before the message;
    // the earlier point's UTM does not stay beside it.
    EXPECT_EQ(Text("Text_Gralat_i"), "17");
    EXPECT_EQ(Text("Text_iNorte"), "");
    EXPECT_EQ(Text("Text_zona_1"), "");

    Choose("SIRGAS_SAD69");  // the SAD69 directions have parameters everywhere
    TypeDecimal("17", "70");
    ExpectAccepted();
}

TEST_F(PointCommandTest, ForcedZoneShowsInBothZoneFields) {
    Find<QCheckBox>("Check1")->click();
    Choose("OpZ18");
    Choose("SIRGAS_SAD69");
    TypeDecimal("33.45", "70.65");
    ExpectAccepted();
    EXPECT_EQ(Text("Text_zona_1"), "18");
    EXPECT_EQ(Text("Text_iNorte"), "6290351.776");
    EXPECT_EQ(Text("Text_iEste"), "904437.020");
    EXPECT_EQ(Text("Text_Zona"), "18");
}

}  // namespace
}  // namespace trevalco::testing
