// Every text the window shows can be read whole at the window's font, and no
// caption sits on a border. The test runs a second time at a device pixel
// ratio of 2 (see CMakeLists.txt).
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "batch/Avance.h"
#include "controls/DropDownList.h"
#include "controls/Frame.h"
#include "controls/TextBox.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

// The longest text each box holds: what the program writes into it, or what
// the user may type within its limits (a typed number keeps 15 digits, whole
// degrees of any position, any zone 16 bits hold).
const std::pair<const char*, QString> kLongest[] = {
    {"Textlat", "56.0000000000001"}, {"Textlon", "76.9999999999999"}, {"Text_Gralat_i", "179"}, {"Text_Gralon_i", "179"},
    {"Text_Minlat_i", "59"}, {"Text_Minlon_i", "59"}, {"Text_Seglat_i", "59.9999"}, {"Text_Seglon_i", "59.9999"},
    {"Text_iNorte", "6297606.83300001"}, {"Text_iEste", "1,463,974.289"}, {"Text_zona_1", "-32768"},
    {"Text_Olat", QStringLiteral(" 179°  59'  59.9999\"")}, {"Text_Olon", QStringLiteral(" 179°  59'  59.9999\"")},
    {"Text_DeltaError", "+/- 5.0 m."}, {"Text_ONorte", "9,999,999.999.  m."}, {"Text_OEste", "-1,463,974.289.  m."},
    {"Text_Zona", "-32768"}, {"DeltaX", "-32768"}, {"DeltaY", "-32768"}, {"DeltaZ", "-32768"},
    {"Text_sistema", "EPSG:20049 SIRGAS-Chile 2021 / UTM zone 19S"}, {"Text_direccion", "PSAD56 -> SIRGAS (WGS84)"},
    {"Text_elementos", "2147483647"}};

// A sheet name as long as a workbook allows (31 characters).
const QString kLongestSheet = QStringLiteral("Coordenadas obra Quebrada Honda");

// A frame's border as four one-pixel lines, in window coordinates.
struct Border { const QWidget* frame; QRect whole; std::array<QRect, 4> lines; };  // the top line first

QRect InWindow(const QWidget& widget, QRect rect) {
    return rect.translated(widget.mapTo(widget.window(), QPoint(0, 0)));
}

std::vector<Border> Borders(const QWidget& window) {
    std::vector<Border> borders;
    for (const auto* widget : window.findChildren<QWidget*>()) {
        const auto* frame = qobject_cast<const controls::Frame*>(widget);
        const auto* panel = qobject_cast<const QFrame*>(widget);
        const bool framed = frame != nullptr || (panel != nullptr && panel->frameShape() != QFrame::NoFrame &&
                                                 qobject_cast<const QAbstractScrollArea*>(widget) == nullptr);
        if (!framed || !widget->isVisible()) continue;
        const QRect r = InWindow(*widget, frame != nullptr ? frame->BorderRect() : panel->frameRect());
        borders.push_back({widget, r, {{{r.left(), r.top(), r.width(), 1}, {r.left(), r.bottom(), r.width(), 1},
                                       {r.left(), r.top(), 1, r.height()}, {r.right(), r.top(), 1, r.height()}}}});
    }
    return borders;
}

class WindowTexts : public WindowFixture {
protected:
    // Shows each page of both tabs in turn and runs the check on it.
    template <typename Check>
    void OnEveryPage(Check check) {
        ShowActive();
        for (int page = 0; page < 5; ++page) {  // the point tab, three batch pages, the layer tab
            Find<QTabWidget>("SSTab1")->setCurrentIndex(page == 0 ? 0 : page == 4 ? 2 : 1);
            Find<QTabWidget>("SSTab2")->setCurrentIndex(std::clamp(page - 1, 0, 2));
            SCOPED_TRACE("page " + std::to_string(page));
            check();
        }
    }
};

TEST_F(WindowTexts, EveryBoxHoldsItsLongestTextWhole) {
    for (const auto& [name, text] : kLongest) {
        const auto* box = Find<controls::TextBox>(name);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(text), box->TextWidth()) << name;
    }
    auto* sheets = Find<controls::DropDownList>("cmbhoja");
    sheets->AddItem(kLongestSheet);
    for (const auto* list : window->findChildren<controls::DropDownList*>())
        for (int i = 0; i < list->count(); ++i)
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), list->TextWidth()) << i;
}

void ExpectWhole(const QLabel& label) {
    const QSize needed = label.fontMetrics().size(0, label.text());
    EXPECT_LE(needed.width(), label.contentsRect().width()) << label.objectName().toStdString();
    EXPECT_LE(needed.height(), label.contentsRect().height()) << label.objectName().toStdString();
}

TEST_F(WindowTexts, LabelsAndButtonsShowTheirWholeCaption) {
    for (const auto* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty()) ExpectWhole(*label);
    for (const auto* button : window->findChildren<QAbstractButton*>()) {
        const int needed = button->text().isEmpty() ? 0 : button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    }
}

// "Estado de Avance": the status line and the last row a sheet can have,
// whole, side by side, the window centred over the main window.
TEST_F(WindowTexts, ProgressWindowShowsItsLineWhole) {
    ShowActive();
    batch::Avance progress;
    progress.PlaceOver(*window);
    progress.Show();
    progress.SetStatus("Transformando Regisro N°");
    progress.SetRow(1048576), progress.Sync();
    for (const QLabel* label : {progress.Estado, progress.Fila}) {
        ExpectWhole(*label);
        EXPECT_TRUE(progress.rect().contains(label->geometry()));
    }
    EXPECT_FALSE(progress.Estado->geometry().intersects(progress.Fila->geometry()));
    EXPECT_LE((progress.geometry().center() - window->geometry().center()).manhattanLength(), 2);
}

// Every control a user can reach has a name of its own on its page, for
// assistive tools; the sheet list keeps "Hoja" whatever sheet is chosen.
TEST_F(WindowTexts, EveryControlHasANameOfItsOwn) {
    const auto nameOf = [](QWidget* control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); };
    auto* sheets = Find<controls::DropDownList>("cmbhoja");
    sheets->AddItem(QStringLiteral("Puntos"));
    sheets->setCurrentIndex(0);
    OnEveryPage([&] {
        std::map<QString, std::string> owners;
        for (auto* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus || qobject_cast<QTabBar*>(control)) continue;
            const std::string owner = control->objectName().toStdString();
            const auto [first, fresh] = owners.emplace(nameOf(control), owner);
            EXPECT_TRUE(fresh && !first->first.isEmpty()) << owner << " is named \"" << first->first.toStdString()
                                                          << "\" as " << first->second;
        }
    });
    const std::pair<const char*, QString> names[] = {
        {"Text_Gralat_i", "Latitud grados"}, {"Text_Minlat_i", "Latitud minutos"}, {"Text_Seglon_i", "Longitud segundos"},
        {"Text_Olat", "Latitud transformada"}, {"Combo9", "Coordenadas Transformadas Latitud"}, {"cmbhoja", "Hoja"}};
    for (const auto& [control, name] : names) EXPECT_EQ(nameOf(Find(control)), name) << control;
}

// Frames' captions (their own, or the option button or check box standing
// on the top line in their place) cross no border but the top line of the
// frame they head, inside its sides; every other control crosses none.
TEST_F(WindowTexts, NoCaptionOrControlCrossesABorder) {
    OnEveryPage([this] {
        const std::vector<Border> borders = Borders(*window);
        std::vector<std::tuple<std::string, QRect, const QWidget*>> items;  // what heads a frame names it
        std::set<const QWidget*> headings;
        for (const auto* frame : window->findChildren<controls::Frame*>()) {
            if (!frame->isVisible() || frame->CaptionRect().isEmpty()) continue;
            const QRect caption = InWindow(*frame, frame->CaptionRect());
            items.emplace_back(frame->objectName().toStdString() + " caption", caption, frame);
            for (const auto* child : frame->parentWidget()->findChildren<QAbstractButton*>())
                if (InWindow(*child, child->rect()) == caption) headings.insert(child);
        }
        for (const auto* control : window->findChildren<QWidget*>()) {
            const bool leaf = qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control) ||
                              qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control);
            if (leaf && control->isVisible() && !headings.contains(control))
                items.emplace_back(control->objectName().toStdString(), InWindow(*control, control->rect()), nullptr);
        }
        for (const auto& [name, rect, heads] : items) {
            const QRect near = rect.adjusted(-1, -1, 1, 1);  // touching counts
            for (const Border& border : borders) {
                if (border.frame->objectName().toStdString() == name) continue;  // a framed label
                for (std::size_t i = 0; i < border.lines.size(); ++i) {
                    const bool allowed = heads == border.frame && i == 0 &&
                                         rect.left() > border.whole.left() + 1 && rect.right() < border.whole.right() - 1;
                    EXPECT_TRUE(allowed || !near.intersects(border.lines[i]))
                        << name << " on line " << i << " of " << border.frame->objectName().toStdString();
                }
            }
        }
    });
}

}  // namespace
}  // namespace trevalco::testing
