// The tab "Calcular Coordenadas": banner, input notations and their fields,
// results, the OK command, the direction options, "Acerca de" and "Salir".
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "Artwork.h"
#include "controls/Frame.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"
#include "form/Place.h"

namespace trevalco::app {
namespace {

using place::At;
using place::LabelFor;
using place::Make;
using place::OnBorder;
using place::OnPage;

// Decimal degrees: one row for latitude and one for longitude.
void BuildDecimalFrame(Frame* frame, point::PointTabControls& p) {
    p.Textlat = Make<TextBox>(frame, "Textlat", At(1080, 330, 2295, 315));
    p.Textlon = Make<TextBox>(frame, "Textlon", At(1080, 690, 2295, 315));
    LabelFor(frame, "Label_Textlat", QStringLiteral("Latitud"), At(240, 360, 800, 255), p.Textlat);
    LabelFor(frame, "Label_Textlon", QStringLiteral("Longitud"), At(240, 720, 800, 255), p.Textlon);
}

// Degrees, minutes and seconds, each followed by its sign.
void BuildDegreeRow(Frame* frame, const char* which, const QString& caption, int top,
                    TextBox*& degrees, TextBox*& minutes, TextBox*& seconds) {
    const QString suffix = QString::fromLatin1(which);
    const auto name = [&suffix](const char* stem) { return (QLatin1String(stem) + suffix).toLatin1(); };

    degrees = Make<TextBox>(frame, name("Text_Gra").append("_i").constData(), At(1080, top, 375, 315));
    minutes = Make<TextBox>(frame, name("Text_Min").append("_i").constData(), At(1650, top, 375, 315));
    seconds = Make<TextBox>(frame, name("Text_Seg").append("_i").constData(), At(2220, top, 765, 315));

    // One label heads the three fields; each is named for its part of it:
    // "Latitud grados", "Latitud minutos", "Latitud segundos".
    LabelFor(frame, name("Label_GraMinSeg_").constData(), caption, At(120, top + 30, 900, 255), degrees);
    const std::pair<TextBox*, const char*> parts[] = {
        {degrees, " grados"}, {minutes, " minutos"}, {seconds, " segundos"}};
    for (const auto& [field, part] : parts) field->setAccessibleName(caption + QLatin1String(part));

    QFont signs(QStringLiteral("MS Sans Serif"));
    signs.setPointSizeF(12);
    const std::pair<const char*, QString> marks[] = {
        {"Signo_grados_", QStringLiteral("°")},
        {"Signo_minutos_", QStringLiteral("'")},
        {"Signo_segundos_", QStringLiteral("\"")}};
    const int lefts[] = {1470, 2040, 3000};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* sign = Make<QLabel>(frame, name(marks[i].first).constData(), At(lefts[i], top - 30, 165, 330),
                                  marks[i].second);
        sign->setFont(signs);
    }
}

void BuildUtmFrame(Frame* frame, point::PointTabControls& p) {
    p.Text_iNorte = Make<TextBox>(frame, "Text_iNorte", At(960, 390, 2175, 315));
    p.Text_iEste = Make<TextBox>(frame, "Text_iEste", At(960, 780, 2175, 315));
    p.Text_zona_1 = Make<TextBox>(frame, "Text_zona_1", At(4200, 390, 735, 315));
    LabelFor(frame, "Label_Text_iNorte", QStringLiteral("Norte"), At(240, 420, 690, 255), p.Text_iNorte);
    LabelFor(frame, "Label_Text_iEste", QStringLiteral("Este"), At(240, 810, 690, 255), p.Text_iEste);
    LabelFor(frame, "Label_Text_zona_1", QStringLiteral("Zona"), At(3480, 420, 690, 255), p.Text_zona_1);
}

void BuildInputFrame(Frame* input, point::PointTabControls& p) {
    auto* frame2 = Make<Frame>(input, "Frame2", At(240, 240, 3615, 1095));
    BuildDecimalFrame(frame2, p);
    p.OpDecGra = OnBorder<QRadioButton>(input, "OpDecGra", QStringLiteral("Decimal de grado"),
                                        At(450, 210, 1695, 255), frame2);

    auto* frame4 = Make<Frame>(input, "Frame4", At(3960, 240, 3615, 1095));
    BuildDegreeRow(frame4, "lat", QStringLiteral("Latitud"), 330, p.Text_Gralat_i, p.Text_Minlat_i,
                   p.Text_Seglat_i);
    BuildDegreeRow(frame4, "lon", QStringLiteral("Longitud"), 690, p.Text_Gralon_i, p.Text_Minlon_i,
                   p.Text_Seglon_i);
    p.OpGraMinSeg = OnBorder<QRadioButton>(input, "OpGraMinSeg",
                                           QStringLiteral("Grados Minutos Segundos"),
                                           At(4170, 240, 2175, 255), frame4);

    auto* frame30 = Make<Frame>(input, "Frame30", At(300, 1410, 7155, 1245));
    BuildUtmFrame(frame30, p);
    p.OpUTM = OnBorder<QRadioButton>(input, "OpUTM", QStringLiteral("U.T.M."), At(510, 1410, 915, 255), frame30);
}

// Two columns of three rows: geographic results left, UTM results right.
void BuildOutputFrame(Frame* output, point::PointTabControls& p) {
    struct Cell {
        const char* field;
        TextBox** target;
        QString caption;
        QString name;  // for assistive tools, told apart from the input fields
        int labelLeft;
        int labelWidth;
        int fieldLeft;
        int fieldWidth;
        int top;
    };
    const Cell cells[] = {
        {"Text_Olat", &p.Text_Olat, QStringLiteral("Latitud"), QStringLiteral("Latitud transformada"), 150, 1050, 1260, 2175, 300},
        {"Text_Olon", &p.Text_Olon, QStringLiteral("Longitud"), QStringLiteral("Longitud transformada"), 150, 1050, 1260, 2175, 690},
        {"Text_DeltaError", &p.Text_DeltaError, QStringLiteral("Delta Error"), QStringLiteral("Delta Error"), 150, 1050, 1260, 2175, 1080},
        {"Text_ONorte", &p.Text_ONorte, QStringLiteral("Norte"), QStringLiteral("Norte transformado"), 3720, 630, 4440, 2475, 300},
        {"Text_OEste", &p.Text_OEste, QStringLiteral("Este"), QStringLiteral("Este transformado"), 3720, 630, 4440, 2475, 690},
        {"Text_Zona", &p.Text_Zona, QStringLiteral("Zona"), QStringLiteral("Zona transformada"), 3720, 630, 4440, 2475, 1080},
    };
    for (const Cell& cell : cells) {
        *cell.target = Make<TextBox>(output, cell.field, At(cell.fieldLeft, cell.top, cell.fieldWidth, 315));
        (*cell.target)->setAccessibleName(cell.name);
        LabelFor(output, (QByteArray("Label_") + cell.field).constData(), cell.caption,
                 At(cell.labelLeft, cell.top + 30, cell.labelWidth, 255), *cell.target);
    }
}

void BuildDirectionFrame(Frame* frame1, point::PointTabControls& p) {
    p.SIRGAS_PSAD56 = Make<QRadioButton>(frame1, "SIRGAS_PSAD56", At(240, 330, 3135, 255),
                                         QStringLiteral("  SIRGAS (WGS84) -> PSAD56"));
    p.SIRGAS_SAD69 = Make<QRadioButton>(frame1, "SIRGAS_SAD69", At(240, 690, 3135, 255),
                                        QStringLiteral("  SIRGAS (WGS84) -> SAD69"));
    p.PSAD56_SIRGAS = Make<QRadioButton>(frame1, "PSAD56_SIRGAS", At(3720, 330, 3135, 255),
                                         QStringLiteral("  PSAD56 -> SIRGAS (WGS84)"));
    p.SAD69_SIRGAS = Make<QRadioButton>(frame1, "SAD69_SIRGAS", At(3720, 690, 3135, 255),
                                        QStringLiteral("  SAD69 -> SIRGAS (WGS84)"));
}

}  // namespace

QWidget* BuildPointTab(VelmarForm& form) {
    auto* page = new QWidget;  // handed to the tab control, which owns it
    page->setObjectName(QStringLiteral("TabCalcularCoordenadas"));
    point::PointTabControls& p = form.point;

    auto* picture2 = Make<QFrame>(page, "Picture2", OnPage(270, 360, 7815, 6120));
    picture2->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    form.Picture2 = picture2;

    form.Picture1 = Make<QLabel>(picture2, "Picture1", At(480, 120, 6670, 790));
    form.Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    form.Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form.Picture1->setPixmap(Banner());
    form.Picture1->setAccessibleName(QStringLiteral("Trevalco"));

    form.Frame13 = Make<Frame>(picture2, "Frame13", At(90, 1080, 7635, 2865), QStringLiteral("Input"));
    BuildInputFrame(form.Frame13, p);

    form.Frame12 = Make<Frame>(picture2, "Frame12", At(270, 4020, 7215, 1575), QStringLiteral("Output"));
    BuildOutputFrame(form.Frame12, p);

    p.OK = Make<QPushButton>(picture2, "OK", At(6030, 5670, 1440, 375), QStringLiteral("OK"));

    form.Frame1 = Make<Frame>(page, "Frame1", OnPage(540, 6540, 7200, 1065), QStringLiteral("Opciones"));
    BuildDirectionFrame(form.Frame1, p);

    form.Command4 = Make<QPushButton>(page, "Command4", OnPage(4845, 7635, 1400, 375),
                                      QStringLiteral("Acerca de"));
    form.Salir = Make<QPushButton>(page, "Salir", OnPage(6345, 7635, 1400, 375), QStringLiteral("Salir"));
    return page;
}

}  // namespace trevalco::app
