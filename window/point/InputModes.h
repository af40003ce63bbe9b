// The three input notations of the point tab: choosing one makes its fields
// editable and empties the fields of the other two and the results; the
// geographic fields select their whole text when they get the focus.
#pragma once

#include <QObject>
#include <array>

#include "point/PointTabControls.h"

namespace trevalco::point {

class InputModes : public QObject {
    Q_OBJECT
public:
    // Connects the option buttons and the eight geographic fields.
    explicit InputModes(const PointTabControls& controls, QObject* parent = nullptr);

    void OpDecGra_Click();
    void OpGraMinSeg_Click();
    void OpUTM_Click();

    void Textlat_GotFocus();
    void Textlon_GotFocus();
    void Text_Gralat_i_GotFocus();
    void Text_Gralon_i_GotFocus();
    void Text_Minlat_i_GotFocus();
    void Text_Minlon_i_GotFocus();
    void Text_Seglat_i_GotFocus();
    void Text_Seglon_i_GotFocus();

private:
    using DecimalGroup = std::array<TextBox*, 2>;
    using DegreeGroup = std::array<TextBox*, 6>;
    using UtmGroup = std::array<TextBox*, 3>;
    using OutputGroup = std::array<TextBox*, 6>;

    template <std::size_t Own, std::size_t First, std::size_t Second>
    void SwitchTo(const std::array<TextBox*, Own>& own, const std::array<TextBox*, First>& first,
                  const std::array<TextBox*, Second>& second);

    DecimalGroup decimal_;
    DegreeGroup degree_;
    UtmGroup utm_;
    OutputGroup output_;
};

}  // namespace trevalco::point
