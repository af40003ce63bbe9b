// The column selectors Combo1 to Combo34 of the three batch pages: their
// start-up filling, and the guided sequence in which a choice in one selector
// enables the next, handing a group's partner the columns not yet taken.
#pragma once

#include <QObject>
#include <QStringList>
#include <array>
#include <initializer_list>

namespace trevalco::controls {
class DropDownList;
class TextBox;
}  // namespace trevalco::controls

namespace trevalco::batch {

using controls::DropDownList;

struct SelectorControls {
    // combos[n] is ComboN; combos[0] is unused.
    std::array<DropDownList*, 35> combos{};
    // Enabled selectors take this field's background colour.
    controls::TextBox* Text_excel = nullptr;
};

class ColumnSelectors : public QObject {
    Q_OBJECT
public:
    // Connects the 31 handlers.
    explicit ColumnSelectors(const SelectorControls& controls, QObject* parent = nullptr);

    // Start-up: page by page, every selector gets its columns, then the
    // page's selectors are disabled and greyed. Nothing is selected.
    void FillAtStart();

    // After a workbook was chosen: the three "Nombre Punto" selectors, which
    // begin each page's sequence, are enabled in the colour of Text_excel.
    void EnableNameSelectors();

    // Page "    Decimal de Grado    ".
    void Combo23_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Combo15_Click();
    void Combo16_Click();
    void Combo9_Click();
    void Combo10_Click();
    void Combo13_Click();
    // Page "Grados Minutos Segundos".
    void Combo24_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo5_Click();
    void Combo6_Click();
    void Combo7_Click();
    void Combo8_Click();
    void Combo21_Click();
    void Combo22_Click();
    void Combo17_Click();
    void Combo18_Click();
    void Combo11_Click();
    void Combo12_Click();
    void Combo19_Click();
    // Page "              UTM                 ".
    void Combo29_Click();
    void Combo32_Click();
    void Combo33_Click();
    void Combo31_Click();
    void Combo30_Click();
    void Combo34_Click();
    void Combo26_Click();
    void Combo25_Click();
    void Combo27_Click();

private:
    DropDownList& Combo(int number) const { return *c_.combos.at(static_cast<std::size_t>(number)); }
    void Enable(DropDownList& selector) const;
    // Enables the next selector of the sequence; its list is not touched.
    void PassOn(int next) const;
    // Refills the partner with the group's columns that the selectors before
    // it have not taken, then enables it.
    void RebuildPartner(int partner, const QStringList& columns,
                        std::initializer_list<int> before) const;

    SelectorControls c_;
};

}  // namespace trevalco::batch
