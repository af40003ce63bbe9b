#include "batch/ColumnSelectors.h"

#include <utility>
#include <vector>

#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "controls/TextBox.h"

namespace trevalco::batch {
namespace {

using controls::BackColourOf;
using controls::SetBackColour;
using controls::SystemColour;

QStringList Columns(std::initializer_list<char> letters) {
    QStringList items;
    for (char letter : letters) items << QStringLiteral("Columna %1").arg(QLatin1Char(letter));
    return items;
}

// Each selector and its columns at start, page by page, in the order of the
// guided sequence.
struct Row {
    int combo;
    QStringList items;
};

std::vector<std::vector<Row>> StartPages() {
    const QStringList a = Columns({'A'});
    const QStringList bc = Columns({'B', 'C'});
    const QStringList bcd = Columns({'B', 'C', 'D'});
    const QStringList de = Columns({'D', 'E'});
    const QStringList efg = Columns({'E', 'F', 'G'});
    const QStringList fg = Columns({'F', 'G'});
    const QStringList hi = Columns({'H', 'I'});
    const QStringList jk = Columns({'J', 'K'});
    const QStringList lm = Columns({'L', 'M'});
    const QStringList no = Columns({'N', 'O'});
    const QStringList zones{QStringLiteral("Zona 18"), QStringLiteral("Zona 19")};
    return {
        {{23, a}, {1, bc}, {2, bc}, {15, de}, {16, de}, {9, fg}, {10, fg}, {13, hi}, {14, hi}},
        {{24, a}, {3, bcd}, {4, bcd}, {5, bcd}, {6, efg}, {7, efg}, {8, efg}, {21, hi}, {22, hi},
         {17, jk}, {18, jk}, {11, lm}, {12, lm}, {19, no}, {20, no}},
        {{29, a}, {32, bc}, {33, bc}, {31, de}, {30, de}, {34, zones}, {26, fg}, {25, fg},
         {27, hi}, {28, hi}},
    };
}

}  // namespace

ColumnSelectors::ColumnSelectors(const SelectorControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
    using Handler = void (ColumnSelectors::*)();
    const std::pair<int, Handler> handlers[] = {
        {23, &ColumnSelectors::Combo23_Click}, {1, &ColumnSelectors::Combo1_Click},
        {2, &ColumnSelectors::Combo2_Click},   {15, &ColumnSelectors::Combo15_Click},
        {16, &ColumnSelectors::Combo16_Click}, {9, &ColumnSelectors::Combo9_Click},
        {10, &ColumnSelectors::Combo10_Click}, {13, &ColumnSelectors::Combo13_Click},
        {24, &ColumnSelectors::Combo24_Click}, {3, &ColumnSelectors::Combo3_Click},
        {4, &ColumnSelectors::Combo4_Click},   {5, &ColumnSelectors::Combo5_Click},
        {6, &ColumnSelectors::Combo6_Click},   {7, &ColumnSelectors::Combo7_Click},
        {8, &ColumnSelectors::Combo8_Click},   {21, &ColumnSelectors::Combo21_Click},
        {22, &ColumnSelectors::Combo22_Click}, {17, &ColumnSelectors::Combo17_Click},
        {18, &ColumnSelectors::Combo18_Click}, {11, &ColumnSelectors::Combo11_Click},
        {12, &ColumnSelectors::Combo12_Click}, {19, &ColumnSelectors::Combo19_Click},
        {29, &ColumnSelectors::Combo29_Click}, {32, &ColumnSelectors::Combo32_Click},
        {33, &ColumnSelectors::Combo33_Click}, {31, &ColumnSelectors::Combo31_Click},
        {30, &ColumnSelectors::Combo30_Click}, {34, &ColumnSelectors::Combo34_Click},
        {26, &ColumnSelectors::Combo26_Click}, {25, &ColumnSelectors::Combo25_Click},
        {27, &ColumnSelectors::Combo27_Click},
    };
    for (const auto& [number, handler] : handlers) {
        connect(&Combo(number), &DropDownList::Click, this, handler);
    }
}

void ColumnSelectors::FillAtStart() {
    for (const std::vector<Row>& page : StartPages()) {
        for (const Row& row : page) {
            for (const QString& item : row.items) Combo(row.combo).AddItem(item);
        }
        for (const Row& row : page) {
            Combo(row.combo).setEnabled(false);
            SetBackColour(Combo(row.combo), SystemColour::ScrollBar);
        }
    }
}

void ColumnSelectors::Enable(DropDownList& selector) const {
    selector.setEnabled(true);
    SetBackColour(selector, BackColourOf(*c_.Text_excel).value_or(SystemColour::WindowBackground));
}

void ColumnSelectors::PassOn(int next) const { Enable(Combo(next)); }

void ColumnSelectors::EnableNameSelectors() {
    for (int name : {23, 24, 29}) Enable(Combo(name));
}

void ColumnSelectors::RebuildPartner(int partner, const QStringList& columns,
                                     std::initializer_list<int> before) const {
    DropDownList& list = Combo(partner);
    list.Clear();
    for (const QString& column : columns) {
        bool taken = false;
        for (int earlier : before) taken = taken || Combo(earlier).Text() == column;
        if (!taken) list.AddItem(column);
    }
    Enable(list);
}

void ColumnSelectors::Combo23_Click() { PassOn(1); }
void ColumnSelectors::Combo1_Click() { RebuildPartner(2, Columns({'B', 'C'}), {1}); }
void ColumnSelectors::Combo2_Click() { PassOn(15); }
void ColumnSelectors::Combo15_Click() { RebuildPartner(16, Columns({'D', 'E'}), {15}); }
void ColumnSelectors::Combo16_Click() { PassOn(9); }
void ColumnSelectors::Combo9_Click() { RebuildPartner(10, Columns({'F', 'G'}), {9}); }
void ColumnSelectors::Combo10_Click() { PassOn(13); }
void ColumnSelectors::Combo13_Click() { RebuildPartner(14, Columns({'H', 'I'}), {13}); }

void ColumnSelectors::Combo24_Click() { PassOn(3); }
void ColumnSelectors::Combo3_Click() { RebuildPartner(4, Columns({'B', 'C', 'D'}), {3}); }
void ColumnSelectors::Combo4_Click() { RebuildPartner(5, Columns({'B', 'C', 'D'}), {3, 4}); }
void ColumnSelectors::Combo5_Click() { PassOn(6); }
void ColumnSelectors::Combo6_Click() { RebuildPartner(7, Columns({'E', 'F', 'G'}), {6}); }
void ColumnSelectors::Combo7_Click() { RebuildPartner(8, Columns({'E', 'F', 'G'}), {6, 7}); }
void ColumnSelectors::Combo8_Click() { PassOn(21); }
void ColumnSelectors::Combo21_Click() { RebuildPartner(22, Columns({'H', 'I'}), {21}); }
void ColumnSelectors::Combo22_Click() { PassOn(17); }
void ColumnSelectors::Combo17_Click() { RebuildPartner(18, Columns({'J', 'K'}), {17}); }
void ColumnSelectors::Combo18_Click() { PassOn(11); }
void ColumnSelectors::Combo11_Click() { RebuildPartner(12, Columns({'L', 'M'}), {11}); }
void ColumnSelectors::Combo12_Click() { PassOn(19); }
void ColumnSelectors::Combo19_Click() { RebuildPartner(20, Columns({'N', 'O'}), {19}); }

void ColumnSelectors::Combo29_Click() { PassOn(32); }
void ColumnSelectors::Combo32_Click() { RebuildPartner(33, Columns({'B', 'C'}), {32}); }
void ColumnSelectors::Combo33_Click() { PassOn(31); }
void ColumnSelectors::Combo31_Click() { RebuildPartner(30, Columns({'D', 'E'}), {31}); }
void ColumnSelectors::Combo30_Click() { PassOn(34); }
void ColumnSelectors::Combo34_Click() { PassOn(26); }
void ColumnSelectors::Combo26_Click() { RebuildPartner(25, Columns({'F', 'G'}), {26}); }
void ColumnSelectors::Combo25_Click() { PassOn(27); }
void ColumnSelectors::Combo27_Click() { RebuildPartner(28, Columns({'H', 'I'}), {27}); }

}  // namespace trevalco::batch
