// The tab "Calcular Archivo Excel": workbook and sheet, the inner tab control
// with the column selectors of the three batch pages, and the sheet preview.
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QPushButton>
#include <QTabWidget>
#include <string_view>
#include <vector>

#include "controls/DropDownList.h"
#include "controls/Frame.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"
#include "form/Place.h"

namespace trevalco::app {
namespace {

using place::At;
using place::LabelFor;
using place::Make;
using place::OnPage;

// One selector with the label left of it.
struct SelectorRow {
    int combo;
    const char* label;
};

// A captioned (or caption-less) frame of selectors.
struct Group {
    const char* name;
    const char* caption;
    std::vector<SelectorRow> rows;
};

// The "Input" or "Output" frame of a page, in SSTab2's coordinates.
struct Side {
    const char* name;
    const char* caption;
    int left, top, width, height;
    std::vector<Group> groups;
};

struct Page {
    const char* name;
    QString caption;
    Side input;
    Side output;
    const char* button;
    int buttonLeft;
};

constexpr int kRowStep = 360;
constexpr int kGroupFirstRow = 330;
constexpr int kGroupTop = 300;
constexpr int kGroupGap = 60;
constexpr int kSelectorWidth = 1575;

std::vector<Page> Pages() {
    return {
        {"PaginaDecimal", QStringLiteral("    Decimal de Grado    "),
         {"Frame6", "Input", 480, 720, 3375, 3975,
          {{"Grupo_Dec_Nombre", "", {{23, "Nombre Punto"}}},
           {"Grupo_Dec_Coordenadas", "Coordenadas", {{1, "Latitud"}, {2, "Longitud"}}},
           {"Grupo_Dec_UTMOriginal", "UTM Datum Original", {{15, "Norte"}, {16, "Este"}}}}},
         {"Frame9", "Output", 4080, 720, 3375, 3135,
          {{"Grupo_Dec_Transformadas", "Coordenadas Transformadas", {{9, "Latitud"}, {10, "Longitud"}}},
           {"Grupo_Dec_UTMTransformada", "UTM Transformada", {{13, "Norte"}, {14, "Este"}}}}},
         "Ok_excel", 2400},
        {"PaginaGradosMinutosSegundos", QStringLiteral("Grados Minutos Segundos"),
         {"Frame7", "Input", 240, 480, 3615, 4215,
          {{"Grupo_GMS_Nombre", "", {{24, "Nombre Punto"}}},
           {"Grupo_GMS_Latitud", "Latitud", {{3, "Grados"}, {4, "Minutos"}, {5, "Segundos"}}},
           {"Grupo_GMS_Longitud", "Longitud", {{6, "Grados"}, {7, "Minutos"}, {8, "Segundos"}}}}},
         {"Frame11", "Output", 4080, 480, 3615, 4695,
          {{"Grupo_GMS_Original", "Original",
            {{21, "Latitud"}, {22, "Longitud"}, {17, "Norte"}, {18, "Este"}}},
           {"Grupo_GMS_Transformada", "Transformada",
            {{11, "Latitud"}, {12, "Longitud"}, {19, "Norte"}, {20, "Este"}}}}},
         "OK_GraMinSeg", 2400},
        {"PaginaUTM", QStringLiteral("              UTM                 "),
         {"Frame24", "Input", 480, 480, 3375, 4215,
          {{"Grupo_UTM_Nombre", "", {{29, "Nombre Punto"}}},
           {"Grupo_UTM_Original", "UTM Datum Original", {{32, "Norte"}, {33, "Este"}}},
           {"Grupo_UTM_Coordenadas", "Coordenadas", {{31, "Latitud"}, {30, "Longitud"}}},
           {"Grupo_UTM_Huso", "", {{34, "Huso"}}}}},
         {"Frame21", "Output", 4080, 480, 3375, 3135,
          {{"Grupo_UTM_Transformada", "UTM Transformada", {{26, "Norte"}, {25, "Este"}}},
           {"Grupo_UTM_Transformadas", "Coordenadas Transformadas", {{27, "Latitud"}, {28, "Longitud"}}}}},
         "Ok_UTM", 2415},
    };
}

// Frames stacked from the top; in each, a label left and its selector right,
// one row every 360 twips.
void BuildSide(QWidget* page, const Side& side, batch::SelectorControls& selectors) {
    auto* outer = Make<Frame>(page, side.name, OnPage(side.left, side.top, side.width, side.height),
                              QString::fromLatin1(side.caption));
    const int groupWidth = side.width - 240;
    int top = kGroupTop;
    for (const Group& group : side.groups) {
        const int rows = static_cast<int>(group.rows.size());
        const int height = kGroupFirstRow + 30 + rows * kRowStep;
        auto* frame = Make<Frame>(outer, group.name, At(120, top, groupWidth, height),
                                  QString::fromUtf8(group.caption));
        int rowTop = kGroupFirstRow;
        for (const SelectorRow& row : group.rows) {
            const QByteArray name = "Combo" + QByteArray::number(row.combo);
            auto* selector = Make<controls::DropDownList>(
                frame, name.constData(), At(groupWidth - 120 - kSelectorWidth, rowTop, kSelectorWidth, 315));
            selectors.combos.at(static_cast<std::size_t>(row.combo)) = selector;
            const QString label = QString::fromUtf8(row.label);
            LabelFor(frame, ("Label_" + name).constData(), label,
                     At(120, rowTop + 30, groupWidth - 360 - kSelectorWidth, 255), selector);
            // Named with its frame's caption, so that a page's two "Latitud"
            // selectors are told apart: "Coordenadas Transformadas Latitud".
            const QString caption = QString::fromUtf8(group.caption);
            selector->setAccessibleName(caption.isEmpty() ? label : caption + QLatin1Char(' ') + label);
            rowTop += kRowStep;
        }
        top += height + kGroupGap;
    }
}

QTabWidget* BuildSelectorTabs(QWidget* page, VelmarForm& form) {
    auto* tabs = Make<QTabWidget>(page, "SSTab2", OnPage(120, 1275, 7935, 5295));
    for (const Page& description : Pages()) {
        auto* sheet = new QWidget;  // owned by the tab control once added
        sheet->setObjectName(QString::fromLatin1(description.name));
        BuildSide(sheet, description.input, form.selectors);
        BuildSide(sheet, description.output, form.selectors);
        auto* ok = Make<QPushButton>(sheet, description.button,
                                     OnPage(description.buttonLeft, 4800, 1455, 375), QStringLiteral("OK"));
        if (description.button == std::string_view("Ok_excel")) form.Ok_excel = ok;
        if (description.button == std::string_view("OK_GraMinSeg")) form.OK_GraMinSeg = ok;
        if (description.button == std::string_view("Ok_UTM")) form.Ok_UTM = ok;
        tabs->addTab(sheet, description.caption);
    }
    return tabs;
}

}  // namespace

QWidget* BuildBatchTab(VelmarForm& form) {
    auto* page = new QWidget;  // handed to the tab control, which owns it
    page->setObjectName(QStringLiteral("TabCalcularArchivoExcel"));

    form.Text_excel = Make<TextBox>(page, "Text_excel", OnPage(840, 480, 5655, 315));
    LabelFor(page, "Label5", QStringLiteral("Archivo"), OnPage(120, 480, 735, 195), form.Text_excel);
    form.Examina_exel = Make<QPushButton>(page, "Examina_exel", OnPage(6600, 480, 1455, 330),
                                          QStringLiteral("Examinar"));
    form.cmbhoja = Make<controls::DropDownList>(page, "cmbhoja", OnPage(840, 840, 5655, 315));
    LabelFor(page, "lblHoja", QStringLiteral("Hoja"), OnPage(120, 870, 585, 285), form.cmbhoja);

    form.SSTab2 = BuildSelectorTabs(page, form);
    form.selectors.Text_excel = form.Text_excel;

    // The preview: a read-only table of the chosen sheet.
    form.OLE1 = Make<QTableView>(page, "OLE1", OnPage(120, 6690, 7935, 1290));
    form.OLE1->setAccessibleName(QStringLiteral("Vista previa de la hoja"));
    form.OLE1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    form.OLE1->setSelectionMode(QAbstractItemView::NoSelection);
    form.OLE1->verticalHeader()->setDefaultSectionSize(18);
    form.OLE1->horizontalHeader()->setDefaultSectionSize(80);
    return page;
}

}  // namespace trevalco::app
