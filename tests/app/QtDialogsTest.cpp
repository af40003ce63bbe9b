// The Qt message boxes: title, lines, icon and Spanish buttons.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/About.h"
#include "dialogs/QtDialogs.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using dialogs::Buttons;
using dialogs::Message;

TEST(QtDialogs, ABoxWithoutTitleShowsTheApplicationsTitle) {
    const auto box = dialogs::BuildMessageBox({"x", "", MessageIcon::None, Buttons::Ok}, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Trevalco"));
    const auto titled = dialogs::BuildMessageBox({"x", "Advertencia", MessageIcon::None, Buttons::Ok}, nullptr);
    EXPECT_EQ(titled->windowTitle(), QStringLiteral("Advertencia"));
}

TEST(QtDialogs, CarriageReturnsShowAsLines) {
    const auto box = dialogs::BuildMessageBox({app::AboutText(), "", MessageIcon::Information, Buttons::Ok}, nullptr);
    const QStringList lines = box->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], QStringLiteral("Parámetros de Tranformación válidos solo para Chile Continental."));
    EXPECT_EQ(lines[4], QStringLiteral("Version 2.1, Agosto de 2005."));
    EXPECT_FALSE(box->text().contains(QLatin1Char('\r')));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(QtDialogs, IconsAndButtonsInSpanish) {
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Exclamation, QMessageBox::Warning},
        {MessageIcon::Critical, QMessageBox::Critical}};
    for (const auto& [icon, expected] : icons) {
        EXPECT_EQ(dialogs::BuildMessageBox({"x", "", icon, Buttons::Ok}, nullptr)->icon(), expected);
    }
    const auto single = dialogs::BuildMessageBox({"x", "", MessageIcon::None, Buttons::Ok}, nullptr);
    EXPECT_EQ(single->buttons().size(), 1);
    EXPECT_EQ(single->button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
    const auto both = dialogs::BuildMessageBox({"x", "", MessageIcon::None, Buttons::OkCancel}, nullptr);
    EXPECT_EQ(both->buttons().size(), 2);
    EXPECT_EQ(both->button(QMessageBox::Cancel)->text(), QStringLiteral("Cancelar"));
}

// Presses a button of the next modal box once it is up.
void PressWhenShown(QMessageBox::StandardButton which) {
    QTimer::singleShot(0, [which] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(which)->click();
    });
}

TEST(QtDialogs, ShowReturnsTheButtonPressed) {
    dialogs::QtDialogs qt;
    PressWhenShown(QMessageBox::Cancel);
    EXPECT_EQ(qt.Show({"¿Seguir?", "Advertencia", MessageIcon::None, Buttons::OkCancel}), dialogs::Answer::Cancel);
    PressWhenShown(QMessageBox::Ok);
    EXPECT_EQ(qt.Show({"¿Seguir?", "Advertencia", MessageIcon::None, Buttons::OkCancel}), dialogs::Answer::Ok);
}

TEST(QtDialogs, FilterTextListsEveryEntry) {
    dialogs::OpenFileRequest request;
    request.filters = {{"Archivos de Microsoft Excel", "*.xls"}, {"Libros", "*.xlsx *.ods"}};
    EXPECT_EQ(dialogs::FilterText(request),
              QStringLiteral("Archivos de Microsoft Excel (*.xls);;Libros (*.xlsx *.ods)"));
}

}  // namespace
}  // namespace trevalco::testing
