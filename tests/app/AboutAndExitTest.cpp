// "Acerca de", "Salir" and the close box.
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/About.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

class AboutAndExit : public WindowFixture {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\r') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

TEST_F(AboutAndExit, AboutShowsFiveLinesEachTime) {
    dialogs.Answer(dialogs::Answer::Ok);
    dialogs.Answer(dialogs::Answer::Ok);
    QTest::mouseClick(Find("Command4"), Qt::LeftButton);
    QTest::mouseClick(Find("Command4"), Qt::LeftButton);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    const dialogs::Message& about = dialogs.Messages()[0];
    EXPECT_EQ(about.icon, MessageIcon::Information);
    EXPECT_EQ(about.buttons, dialogs::Buttons::Ok);
    EXPECT_TRUE(about.title.empty());  // the box shows the application's title
    EXPECT_EQ(about.text.find('\n'), std::string::npos);
    const std::vector<std::string> lines = Lines(about.text);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[0].find("propiedad"), std::string::npos);
    EXPECT_EQ(lines[1], "Parámetros de Tranformación válidos solo para Chile Continental.");
    EXPECT_NE(lines[2].find("Desarrollado"), std::string::npos);
    EXPECT_NE(lines[3].find("sugerencias"), std::string::npos);
    EXPECT_NE(lines[3].find('@'), std::string::npos);
    EXPECT_EQ(lines[4], "Version 2.1, Agosto de 2005.");
    EXPECT_EQ(dialogs.Messages()[1].text, about.text);
    // Nothing else changes.
    EXPECT_EQ(programEnded, 0);
    EXPECT_TRUE(Find("Textlat")->isEnabled());
}

TEST_F(AboutAndExit, SalirEndsTheProgramWithoutAQuestion) {
    ShowActive();
    QTest::mouseClick(Find("Salir"), Qt::LeftButton);
    EXPECT_EQ(programEnded, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(AboutAndExit, SalirClosesEveryOtherWindowToo) {
    ShowActive();
    auto other = std::make_unique<QWidget>();
    other->setWindowTitle(QStringLiteral("Avance"));
    other->show();
    window->Salir_Click(0);
    EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(programEnded, 1);
}

TEST_F(AboutAndExit, CloseBoxEndsTheProgramAsSalirDoes) {
    ShowActive();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(programEnded, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace trevalco::testing
