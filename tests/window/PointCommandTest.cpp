// The OK command of the point tab, driven through the real window: the
// fields it writes, its rejections in their order, and the locale's numbers.
#include <QCheckBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <vector>

#include "controls/TextBox.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using Fields = std::map<std::string, std::string>;

const char* const kOutput[] = {"Text_Olat", "Text_Olon", "Text_ONorte", "Text_OEste", "Text_DeltaError", "Text_Zona"};
// The boxes each notation reads, in the order the cases give their texts.
const std::map<std::string, std::vector<const char*>> kInputs{
    {"OpDecGra", {"Textlat", "Textlon"}}, {"OpUTM", {"Text_iNorte", "Text_iEste", "Text_zona_1"}},
    {"OpGraMinSeg", {"Text_Gralat_i", "Text_Minlat_i", "Text_Seglat_i", "Text_Gralon_i", "Text_Minlon_i", "Text_Seglon_i"}}};

constexpr const char* kComplete = " ¡ Complete Campos ! ";
constexpr const char* kNumeric = " ¡ Ingrese Datos Numéricos !";
constexpr const char* kRange = " ¡ Coordenadas Fuera de Rango ! ";
constexpr const char* kLimits = " ¡ Coordenadas Fuera de Límites ! ";

// The notation and direction chosen, the texts typed, the message (nullptr:
// converted) and some fields afterwards.
struct Case {
    const char *mode, *direction;
    std::vector<const char*> typed;
    const char* message;
    Fields shown;
};

class PointCommandTest : public WindowFixture {
protected:
    PointCommandTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~PointCommandTest() override { QLocale::setDefault(QLocale::c()); }

    std::string Text(const std::string& name) { return Find<controls::TextBox>(name.c_str())->text().toStdString(); }
    Fields Results() {
        Fields texts;
        for (const char* name : kOutput) texts[name] = Text(name);
        return texts;
    }
    void Type(const char* mode, const std::vector<const char*>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            Find<controls::TextBox>(kInputs.at(mode)[i])->setText(QString::fromUtf8(texts[i]));
    }
    // Types the case's texts and presses OK; checks the message and the fields.
    void Run(const Case& c) {
        SCOPED_TRACE(std::string(c.mode) + " " + (c.typed.empty() ? "" : c.typed.front()));
        Find<QRadioButton>(c.mode)->click();
        Find<QRadioButton>(c.direction)->click();
        Type(c.mode, c.typed);
        const Fields before = Results();
        const auto messages = dialogs.Messages().size();
        if (c.message != nullptr) dialogs.Answer(dialogs::Answer::Ok);
        Find<QPushButton>("OK")->click();
        ASSERT_EQ(dialogs.Messages().size(), messages + (c.message != nullptr ? 1 : 0));
        if (c.message != nullptr) {
            const auto& m = dialogs.Messages().back();
            EXPECT_TRUE(m.text == c.message && m.title == "Error" && m.icon == dialogs::MessageIcon::Exclamation &&
                        m.buttons == dialogs::Buttons::Ok) << m.text;
            EXPECT_EQ(Results(), before);  // a rejected run leaves the results as they were
        } else {
            EXPECT_EQ(Text("Text_DeltaError"), "+/- 5.0 m.");
        }
        for (const auto& [name, text] : c.shown) EXPECT_EQ(Text(name), text) << name;
    }
};

TEST_F(PointCommandTest, ConvertsInEveryNotation) {
    const Case cases[] = {
        {"OpDecGra", "SIRGAS_SAD69", {"33.45", "70.65"}, nullptr,
         {{"Textlat", "33.45"}, {"Textlon", "70.65"}, {"Text_Gralat_i", "33"}, {"Text_Minlat_i", "27"},
          {"Text_Seglat_i", "0.0000"}, {"Text_Gralon_i", "70"}, {"Text_Minlon_i", "39"}, {"Text_Seglon_i", "0.0000"},
          {"Text_iNorte", "6297606.833"}, {"Text_iEste", "346642.695"}, {"Text_zona_1", "19"},
          {"Text_Olat", " 33°  26'  58.7717\""}, {"Text_Olon", " 70°  38'  57.6619\""},
          {"Text_ONorte", "6,297,632.781.  m."}, {"Text_OEste", "346,701.908.  m."}, {"Text_Zona", "19"}}},
        {"OpDecGra", "SIRGAS_PSAD56", {"-33.5", "70.5"}, nullptr, {{"Textlat", "33.5"}, {"Textlon", "70.5"}}},
        {"OpGraMinSeg", "SIRGAS_PSAD56", {"33", "27", "0", "70", "39", "0"}, nullptr,
         {{"Textlat", "33.450000"}, {"Textlon", "70.650000"}, {"Text_iNorte", "6,297,606.833"},
          {"Text_iEste", "346,642.695"}, {"Text_Olat", " 33°  26'  46.1307\""}, {"Text_Olon", " 70°  38'  52.3799\""},
          {"Text_ONorte", "6,297,980.173.  m."}, {"Text_OEste", "346,825.988.  m."}, {"Text_Zona", "19"}}},
        // Empty minutes and seconds become 0; negative degrees are normalised.
        {"OpGraMinSeg", "SIRGAS_SAD69", {"-33", "", "", "70", "", ""}, nullptr,
         {{"Text_Gralat_i", "33"}, {"Text_Minlat_i", "0"}, {"Textlat", "33.000000"}}},
        // The chain goes on from the six-decimal position shown: the decimal mode's result.
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "346642.695", "19"}, nullptr,
         {{"Textlat", "33.450000"}, {"Textlon", "70.650000"}, {"Text_Gralat_i", "33"}, {"Text_Minlon_i", "39"},
          {"Text_Olat", " 33°  26'  58.7717\""}, {"Text_ONorte", "6,297,632.781.  m."},
          {"Text_OEste", "346,701.908.  m."}, {"Text_iNorte", "6297606.833"}}},
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "346642.695", "19.5"}, nullptr,
         {{"Text_zona_1", "19.5"}, {"Textlon", "64.650000"}}},  // halves to even: zone 20
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "346642.695", "18.5"}, nullptr, {{"Textlon", "76.650000"}}},
        // A zone whose target lies outside every zone band keeps the zone typed.
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "500000", "25"}, nullptr,
         {{"Text_Zona", "25"}, {"Text_ONorte", "6,297,649.754.  m."}, {"Text_OEste", "500,034.843.  m."}}},
        // Limits, both ends.
        {"OpDecGra", "SIRGAS_SAD69", {"17", "70"}, nullptr, {}}, {"OpDecGra", "SIRGAS_SAD69", {"56", "77"}, nullptr, {}},
        {"OpDecGra", "SIRGAS_SAD69", {"33", "66.01"}, nullptr, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"33", "59.999", "0", "66", "0", "0"}, nullptr, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"56", "0", "0", "76", "0", "0"}, nullptr, {}},
    };
    for (const Case& c : cases) Run(c);
}

TEST_F(PointCommandTest, RefusesInTheOrderOfItsChecks) {
    Run({"OpDecGra", "SIRGAS_SAD69", {"33.45", "70.65"}, nullptr, {}});  // results that must stay
    const Case cases[] = {
        {"OpDecGra", "SIRGAS_SAD69", {"", "70"}, kComplete, {}}, {"OpDecGra", "SIRGAS_SAD69", {"1e400", "70"}, kNumeric, {}},
        {"OpDecGra", "SIRGAS_SAD69", {" ", "70"}, kNumeric, {}},  // a blank is not empty
        {"OpDecGra", "SIRGAS_SAD69", {"-16.99", "70"}, kLimits, {{"Textlat", "16.99"}}},  // normalised first
        {"OpDecGra", "SIRGAS_SAD69", {"56.01", "70"}, kLimits, {}}, {"OpDecGra", "SIRGAS_SAD69", {"33", "66"}, kLimits, {}},
        {"OpDecGra", "SIRGAS_SAD69", {"33", "77.01"}, kLimits, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"", "1", "1", "70", "1", "1"}, kComplete, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"-33", "", "", "70", "", "abc"}, kNumeric,
         {{"Text_Minlat_i", "0"}, {"Text_Seglat_i", "0"}, {"Text_Minlon_i", "0"}, {"Text_Seglon_i", "abc"}}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"33", "60", "0", "70", "0", "0"}, kRange, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"33", "-5", "0", "70", "0", "0"}, kRange, {}},
        {"OpGraMinSeg", "SIRGAS_SAD69", {"33", "0", "0", "76", "0", "0.1"}, kLimits, {}},
        {"OpUTM", "SIRGAS_SAD69", {"", "1", "19"}, kComplete, {}}, {"OpUTM", "SIRGAS_SAD69", {"1e400", "1", "19"}, kNumeric, {}},
        // UTM input so far out that no position or zone can be had.
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "346642.695", "40000"}, kLimits, {}},
        {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "346642.695", "5492"}, kLimits, {}},
        {"OpUTM", "SIRGAS_SAD69", {"1e300", "346642.695", "19"}, kLimits, {}}, {"OpUTM", "SIRGAS_SAD69", {"6297606.833", "1e300", "19"}, kLimits, {}},
        {"OpUTM", "SIRGAS_SAD69", {"1e200", "1e200", "-30000"}, kLimits, {}},
    };
    for (const Case& c : cases) Run(c);
    // Whatever the program accepts, no field shows a number that is not one
    // (each of these ends at a message, of limits or of a band without shift).
    Find<QRadioButton>("SIRGAS_PSAD56")->click();
    for (const auto& utm : {std::vector<const char*>{"0", "0", "1"}, {"99999999", "0", "60"}, {"10000000", "500000", "-5430"}}) {
        Find<QRadioButton>("OpUTM")->click();
        Type("OpUTM", utm);
        dialogs.Answer(dialogs::Answer::Ok);
        Find<QPushButton>("OK")->click();
        for (auto* box : window->findChildren<controls::TextBox*>()) {
            const QString text = box->text().toLower();
            EXPECT_FALSE(text.contains("nan") || text.contains("inf")) << box->objectName().toStdString();
        }
    }
}

TEST_F(PointCommandTest, NumbersFollowTheLocale) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Chile));
    Run({"OpDecGra", "SIRGAS_SAD69", {"33,45", "-70,65"}, nullptr,
         {{"Textlon", "70,65"}, {"Text_iNorte", "6297606,833"}, {"Text_Olat", " 33°  26'  58,7717\""},
          {"Text_ONorte", "6.297.632,781.  m."}, {"Text_OEste", "346.701,908.  m."}}});
    Run({"OpDecGra", "SIRGAS_SAD69", {"33.45", "70,65"}, kNumeric, {}});  // a point is no decimal separator here
}

TEST_F(PointCommandTest, NoBandParametersEmptiesTheResults) {
    Run({"OpDecGra", "SIRGAS_PSAD56", {"33.45", "70.65"}, nullptr, {}});
    dialogs.Answer(dialogs::Answer::Ok);
    Find<controls::TextBox>("Textlat")->setText("17");  // SIRGAS to PSAD56 has nothing at 17 degrees
    Find<QPushButton>("OK")->click();
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    const auto& m = dialogs.Messages()[0];
    EXPECT_TRUE(m.text == "¡ No exixten Parametros para esta Latitud !" && m.title == " Error " && m.icon == dialogs::MessageIcon::Critical);
    for (const char* name : kOutput) EXPECT_EQ(Text(name), "") << name;
    // The new point's degrees stand; the earlier point's UTM does not stay beside them.
    EXPECT_EQ(Text("Text_Gralat_i") + Text("Text_iNorte") + Text("Text_zona_1"), "17");
}

TEST_F(PointCommandTest, ForcedZoneShowsInBothZoneFields) {
    Find<QCheckBox>("Check1")->click();
    Find<QRadioButton>("OpZ18")->click();
    Run({"OpDecGra", "SIRGAS_SAD69", {"33.45", "70.65"}, nullptr,
         {{"Text_zona_1", "18"}, {"Text_iNorte", "6290351.776"}, {"Text_iEste", "904437.020"}, {"Text_Zona", "18"}}});
}

}  // namespace
}  // namespace trevalco::testing
