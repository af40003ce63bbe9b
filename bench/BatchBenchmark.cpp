// A decimal-degree batch run on a large sheet (latitude in B, longitude in C)
// through the window's code path, offscreen, with the progress window and its
// event pump, as the window's OK button does; every message is answered OK.
// bench/batch_bench.sh runs it beside trevalco-cli batch.
//
//   batch_benchmark BOOK.xlsx SHEET
#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <string>

#include "Velmar.h"
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

int Window(int argc, char** argv, const std::string& path, const std::string& sheet) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AnswerOk dialogs;
    trevalco::app::Velmar window(dialogs, [] {});
    const auto& form = window.Form();
    form.Text_excel->setText(QString::fromStdString(path));
    form.cmbhoja->AddItem(QString::fromStdString(sheet));
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
    if (argc == 3) return Window(argc, argv, argv[1], argv[2]);
    std::fputs("uso: batch_benchmark LIBRO.xlsx HOJA\n", stderr);
    return 2;
}
