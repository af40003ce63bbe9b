// "Acerca de", "Salir" and the close box.
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

class AboutAndExit : public WindowFixture {};

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
    // Five lines joined by a carriage return alone.
    const QStringList lines = QString::fromStdString(about.text).split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_FALSE(about.text.find('\n') != std::string::npos);
    EXPECT_TRUE(lines[0].contains("propiedad"));
    EXPECT_EQ(lines[1], QStringLiteral("Parámetros de Tranformación válidos solo para Chile Continental."));
    EXPECT_TRUE(lines[2].contains("Desarrollado"));
    EXPECT_TRUE(lines[3].contains("sugerencias") && lines[3].contains('@'));
    EXPECT_EQ(lines[4], QStringLiteral("Version 2.1, Agosto de 2005."));
    EXPECT_EQ(dialogs.Messages()[1].text, about.text);
    EXPECT_EQ(programEnded, 0);
}

// "Salir" and the close box end the program without a question, closing
// every other window of it.
TEST_F(AboutAndExit, SalirAndTheCloseBoxEndTheProgram) {
    for (const bool closeBox : {false, true}) {
        window = std::make_unique<app::Velmar>(dialogs, [this] { ++programEnded; });
        ShowActive();
        auto other = std::make_unique<QWidget>();
        other->show();
        if (closeBox) EXPECT_TRUE(window->close()); else QTest::mouseClick(Find("Salir"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(other->isVisible());
    }
    EXPECT_EQ(programEnded, 2);
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace trevalco::testing
