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

TEST(QtDialogs, BoxesShowTitleLinesIconAndSpanishButtons) {
    EXPECT_EQ(dialogs::BuildMessageBox({"x", "", MessageIcon::None, Buttons::Ok}, nullptr)->windowTitle(), "Trevalco");
    const auto about = dialogs::BuildMessageBox({app::AboutText(), "Advertencia", MessageIcon::Information, Buttons::Ok}, nullptr);
    EXPECT_EQ(about->windowTitle(), "Advertencia");
    EXPECT_EQ(about->text().split(QLatin1Char('\n')).size(), 5);  // carriage returns show as lines
    EXPECT_FALSE(about->text().contains(QLatin1Char('\r')));
    EXPECT_EQ(about->textFormat(), Qt::PlainText);
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {
        {MessageIcon::None, QMessageBox::NoIcon}, {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Exclamation, QMessageBox::Warning}, {MessageIcon::Critical, QMessageBox::Critical}};
    for (const auto& [icon, expected] : icons)
        EXPECT_EQ(dialogs::BuildMessageBox({"x", "", icon, Buttons::Ok}, nullptr)->icon(), expected);
    const auto both = dialogs::BuildMessageBox({"x", "", MessageIcon::None, Buttons::OkCancel}, nullptr);
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
        EXPECT_EQ(qt.Show({"¿Seguir?", "Advertencia", MessageIcon::None, Buttons::OkCancel}), answer);
    }
    dialogs::OpenFileRequest request;
    request.filters = {{"Archivos de Microsoft Excel", "*.xls"}, {"Libros", "*.xlsx *.ods"}};
    EXPECT_EQ(dialogs::FilterText(request), QStringLiteral("Archivos de Microsoft Excel (*.xls);;Libros (*.xlsx *.ods)"));
}

}  // namespace
}  // namespace trevalco::testing
