// "Acerca de", "Salir" and the close box, and the Qt message boxes: title,
// lines, icon and Spanish buttons.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "About.h"
#include "dialogs/QtDialogs.h"
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
    // Information, OK, no title of its own (the box shows the application's).
    EXPECT_TRUE(about.icon == dialogs::MessageIcon::Information && about.buttons == dialogs::Buttons::Ok && about.title.empty());
    // Five lines joined by a carriage return alone.
    const QStringList lines = QString::fromStdString(about.text).split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_FALSE(about.text.find('\n') != std::string::npos);
    EXPECT_TRUE(lines[0].contains("propiedad") && lines[2].contains("Desarrollado") && lines[3].contains("sugerencias") &&
                lines[3].contains('@'));
    EXPECT_EQ(lines[1], QStringLiteral("Parámetros de Tranformación válidos solo para Chile Continental."));
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
        closeBox ? (void)window->close() : QTest::mouseClick(Find("Salir"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible() || other->isVisible());
    }
    EXPECT_EQ(programEnded, 2);
    EXPECT_TRUE(dialogs.Messages().empty());
}

using dialogs::Buttons;

TEST(QtDialogs, BoxesShowTitleLinesIconAndSpanishButtons) {
    EXPECT_EQ(dialogs::BuildMessageBox({"x", "", dialogs::MessageIcon::None, Buttons::Ok}, nullptr)->windowTitle(), "Trevalco");
    const auto about = dialogs::BuildMessageBox({app::AboutText(), "Advertencia", dialogs::MessageIcon::Information, Buttons::Ok}, nullptr);
    EXPECT_EQ(about->windowTitle(), "Advertencia");
    EXPECT_EQ(about->text().split(QLatin1Char('\n')).size(), 5);  // carriage returns show as lines
    EXPECT_FALSE(about->text().contains(QLatin1Char('\r')));
    EXPECT_EQ(about->textFormat(), Qt::PlainText);
    const std::pair<dialogs::MessageIcon, QMessageBox::Icon> icons[] = {
        {dialogs::MessageIcon::None, QMessageBox::NoIcon}, {dialogs::MessageIcon::Information, QMessageBox::Information},
        {dialogs::MessageIcon::Exclamation, QMessageBox::Warning}, {dialogs::MessageIcon::Critical, QMessageBox::Critical}};
    for (const auto& [icon, expected] : icons)
        EXPECT_EQ(dialogs::BuildMessageBox({"x", "", icon, Buttons::Ok}, nullptr)->icon(), expected);
    const auto both = dialogs::BuildMessageBox({"x", "", dialogs::MessageIcon::None, Buttons::OkCancel}, nullptr);
    EXPECT_EQ(both->buttons().size(), 2);
    EXPECT_EQ(both->button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(both->button(QMessageBox::Cancel)->text(), QStringLiteral("Cancelar"));
}

TEST(QtDialogs, ShowReturnsTheButtonPressed) {
    dialogs::QtDialogs qt;
    for (const auto& [button, answer] : {std::pair{QMessageBox::Cancel, dialogs::Answer::Cancel},
                                         std::pair{QMessageBox::Ok, dialogs::Answer::Ok}}) {
        QTimer::singleShot(0, [which = button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(which)->click();
        });
        EXPECT_EQ(qt.Show({"¿Seguir?", "Advertencia", dialogs::MessageIcon::None, Buttons::OkCancel}), answer);
    }
    dialogs::OpenFileRequest request;
    request.filters = {{"Archivos de Microsoft Excel", "*.xls"}, {"Libros", "*.xlsx *.ods"}};
    EXPECT_EQ(dialogs::FilterText(request), QStringLiteral("Archivos de Microsoft Excel (*.xls);;Libros (*.xlsx *.ods)"));
}

}  // namespace
}  // namespace trevalco::testing
