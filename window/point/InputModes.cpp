#include "point/InputModes.h"

#include <QRadioButton>

#include "controls/SystemColours.h"
#include "controls/TextBox.h"

namespace trevalco::point {
namespace {

using controls::SetBackColour;
using controls::SystemColour;

template <std::size_t N>
void SetColour(const std::array<TextBox*, N>& group, SystemColour colour) {
    for (TextBox* box : group) SetBackColour(*box, colour);
}

template <std::size_t N>
void SetEnabled(const std::array<TextBox*, N>& group, bool enabled) {
    for (TextBox* box : group) box->setEnabled(enabled);
}

template <std::size_t N>
void Empty(const std::array<TextBox*, N>& group) {
    for (TextBox* box : group) box->setText(QString());
}

// Selection from the first character over the whole text.
void SelectWhole(TextBox& box) {
    box.setSelection(0, static_cast<int>(box.text().size()));
}

// Runs the handler when the option becomes set, by the user or by code.
template <typename Handler>
void OnSet(QRadioButton* option, InputModes* modes, Handler handler) {
    QObject::connect(option, &QRadioButton::toggled, modes, [modes, handler](bool set) {
        if (set) (modes->*handler)();
    });
}

}  // namespace

InputModes::InputModes(const PointTabControls& c, QObject* parent)
    : QObject(parent),
      decimal_{c.Textlat, c.Textlon},
      degree_{c.Text_Gralat_i, c.Text_Gralon_i, c.Text_Minlat_i,
              c.Text_Minlon_i, c.Text_Seglat_i, c.Text_Seglon_i},
      utm_{c.Text_iNorte, c.Text_iEste, c.Text_zona_1},
      output_{c.Text_Olat, c.Text_Olon, c.Text_DeltaError, c.Text_ONorte, c.Text_OEste, c.Text_Zona} {
    OnSet(c.OpDecGra, this, &InputModes::OpDecGra_Click);
    OnSet(c.OpGraMinSeg, this, &InputModes::OpGraMinSeg_Click);
    OnSet(c.OpUTM, this, &InputModes::OpUTM_Click);

    connect(c.Textlat, &TextBox::GotFocus, this, &InputModes::Textlat_GotFocus);
    connect(c.Textlon, &TextBox::GotFocus, this, &InputModes::Textlon_GotFocus);
    connect(c.Text_Gralat_i, &TextBox::GotFocus, this, &InputModes::Text_Gralat_i_GotFocus);
    connect(c.Text_Gralon_i, &TextBox::GotFocus, this, &InputModes::Text_Gralon_i_GotFocus);
    connect(c.Text_Minlat_i, &TextBox::GotFocus, this, &InputModes::Text_Minlat_i_GotFocus);
    connect(c.Text_Minlon_i, &TextBox::GotFocus, this, &InputModes::Text_Minlon_i_GotFocus);
    connect(c.Text_Seglat_i, &TextBox::GotFocus, this, &InputModes::Text_Seglat_i_GotFocus);
    connect(c.Text_Seglon_i, &TextBox::GotFocus, this, &InputModes::Text_Seglon_i_GotFocus);
}

// Colours first (the other groups, then its own), then enabling, disabling,
// and last the emptying of the other groups and of the results.
template <std::size_t Own, std::size_t First, std::size_t Second>
void InputModes::SwitchTo(const std::array<TextBox*, Own>& own,
                          const std::array<TextBox*, First>& first,
                          const std::array<TextBox*, Second>& second) {
    SetColour(first, SystemColour::ScrollBar);
    SetColour(second, SystemColour::ScrollBar);
    SetColour(own, SystemColour::WindowBackground);
    SetEnabled(own, true);
    SetEnabled(first, false);
    SetEnabled(second, false);
    Empty(first);
    Empty(second);
    Empty(output_);
}

void InputModes::OpDecGra_Click() { SwitchTo(decimal_, degree_, utm_); }
void InputModes::OpGraMinSeg_Click() { SwitchTo(degree_, decimal_, utm_); }
void InputModes::OpUTM_Click() { SwitchTo(utm_, decimal_, degree_); }

void InputModes::Textlat_GotFocus() { SelectWhole(*decimal_[0]); }
void InputModes::Textlon_GotFocus() { SelectWhole(*decimal_[1]); }
void InputModes::Text_Gralat_i_GotFocus() { SelectWhole(*degree_[0]); }
void InputModes::Text_Gralon_i_GotFocus() { SelectWhole(*degree_[1]); }
void InputModes::Text_Minlat_i_GotFocus() { SelectWhole(*degree_[2]); }
void InputModes::Text_Minlon_i_GotFocus() { SelectWhole(*degree_[3]); }
void InputModes::Text_Seglat_i_GotFocus() { SelectWhole(*degree_[4]); }
void InputModes::Text_Seglon_i_GotFocus() { SelectWhole(*degree_[5]); }

}  // namespace trevalco::point
