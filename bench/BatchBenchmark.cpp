// A decimal-degree batch run on large sheets through the window's code path,
// offscreen, with the progress window and its event pump; every message is
// answered OK. bench/batch_bench.sh runs it beside trevalco-cli batch.
//
//   batch_benchmark make ROWS BOOK.xlsx   writes a sheet "Hoja1": latitude in B, longitude in C
//   batch_benchmark window BOOK.xlsx      converts it as the window's OK button does
#include <sys/resource.h>
#include <zip.h>

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Velmar.h"
#include "batch/BatchPages.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "Dialogs.h"

namespace {

class AnswerOk final : public trevalco::dialogs::Dialogs {
public:
    trevalco::dialogs::Answer Show(const trevalco::dialogs::Message&) override {
        ++messages;
        return trevalco::dialogs::Answer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const trevalco::dialogs::OpenFileRequest&) override {
        return std::nullopt;
    }
    int messages = 0;
};

int Make(long rows, const std::string& path) {
    std::string sheet =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    char cell[160];
    for (long r = 1; r <= rows; ++r) {
        std::snprintf(cell, sizeof cell, "<row r=\"%ld\"><c r=\"B%ld\"><v>%.7f</v></c><c r=\"C%ld\"><v>%.7f</v></c></row>",
                      r, r, 18.0 + (r % 25000) * 0.001, r, 67.0 + (r % 8000) * 0.001);
        sheet += cell;
    }
    sheet += "</sheetData></worksheet>";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::pair<const char*, std::string> parts[] = {
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
         "</Types>"},
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" + rel +
                                "\"><sheets><sheet name=\"Hoja1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                       "<Relationship Id=\"rId1\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", sheet},
    };
    std::filesystem::remove(path);
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (archive == nullptr) return 1;
    for (const auto& [name, content] : parts)
        zip_file_add(archive, name, zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    return zip_close(archive) == 0 ? 0 : 1;
}

int Window(int argc, char** argv, const std::string& path) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AnswerOk dialogs;
    trevalco::app::Velmar window(dialogs, [] {});
    const auto& form = window.Form();
    form.Text_excel->setText(QString::fromStdString(path));
    form.cmbhoja->AddItem(QStringLiteral("Hoja1"));
    form.cmbhoja->SetListIndex(0);
    for (int n : {23, 1, 2, 15, 16, 9, 10, 13, 14}) form.selectors.combos[static_cast<std::size_t>(n)]->SetListIndex(0);
    window.show();
    QApplication::processEvents();

    const auto start = std::chrono::steady_clock::now();
    form.Ok_excel->click();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& result = window.BatchPages().LastResult();
    if (!result || result->end != trevalco::batch::RunEnd::Completed) {
        std::fprintf(stderr, "the run did not complete (%d, %d messages)\n", result ? static_cast<int>(result->end) : -1, dialogs.messages);
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("window  %8d rows  %6.2f s  %9.0f rows/s  peak %5ld MB  (%d messages, %d interim saves)\n",
                result->rowsConverted, seconds, result->rowsConverted / seconds, usage.ru_maxrss / 1024,
                dialogs.messages, result->interimSaves);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) return Make(std::atol(argv[2]), argv[3]);
    if (mode == "window" && argc == 3) return Window(argc, argv, argv[2]);
    std::fputs("uso: batch_benchmark make FILAS LIBRO.xlsx | window LIBRO.xlsx\n", stderr);
    return 2;
}
