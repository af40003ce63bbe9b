#include "batch/WorkbookChoice.h"

#include <QPushButton>
#include <QTableView>
#include <filesystem>

#include "Workbook.h"
#include "batch/ColumnSelectors.h"
#include "batch/SheetPreview.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "point/UserLocale.h"

namespace trevalco::batch {

namespace {

constexpr const char* kNotFound = "      ¡ Archivo no encontrado !";

std::filesystem::path PathOf(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

bool IsExistingFile(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && std::filesystem::is_regular_file(PathOf(path), error);
}

}  // namespace

WorkbookChoice::WorkbookChoice(const WorkbookChoiceControls& controls, ColumnSelectors& selectors,
                               dialogs::Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      c_(controls),
      selectors_(selectors),
      dialogs_(dialogs),
      preview_(new SheetPreview(this)) {
    c_.OLE1->setModel(preview_);
    connect(c_.Examina_exel, &QPushButton::clicked, this, &WorkbookChoice::Examina_exel_Click);
    connect(c_.cmbhoja, &controls::DropDownList::Click, this, &WorkbookChoice::cmbhoja_Click);
}

WorkbookChoice::~WorkbookChoice() = default;

bool WorkbookChoice::ChooseWorkbookPath() {
    const dialogs::OpenFileRequest request{
        {{"Archivos de Microsoft Excel", "*.xls *.xlsx"},
         {"Hojas de cálculo OpenDocument", "*.ods"},
         {"Archivos de texto", "*.csv *.txt"}},
        {},
        {}};
    for (;;) {
        if (auto chosen = dialogs_.ChooseFileToOpen(request)) lastChosen_ = *chosen;
        c_.Text_excel->setText(QString::fromStdString(lastChosen_));
        if (IsExistingFile(c_.Text_excel->text())) return true;
        const dialogs::Answer answer = dialogs_.Show(
            {kNotFound, "Advertencia", dialogs::MessageIcon::None, dialogs::Buttons::OkCancel});
        if (answer == dialogs::Answer::Cancel) return false;
    }
}

void WorkbookChoice::Examina_exel_Click() {
    if (ChooseWorkbookPath()) ListSheets();
}

void WorkbookChoice::ChooseWorkbook(const QString& path) {
    lastChosen_ = path.toStdString();
    c_.Text_excel->setText(path);
    if (IsExistingFile(path))
        ListSheets();
    else
        dialogs_.Show({kNotFound, "Advertencia", dialogs::MessageIcon::None, dialogs::Buttons::Ok});
}

void WorkbookChoice::ListSheets() {
    selectors_.EnableNameSelectors();
    try {
        workbook::Workbook book = workbook::Workbook::Open(PathOf(c_.Text_excel->text()));
        c_.cmbhoja->Clear();
        for (const std::string& name : book.SheetNames()) c_.cmbhoja->AddItem(QString::fromStdString(name));
        preview_->ClearPicture();
        openBook_ = &book;
        if (c_.cmbhoja->count() > 0) c_.cmbhoja->SetListIndex(0);  // shows the first sheet at once
        openBook_ = nullptr;
    } catch (const workbook::WorkbookError& error) {
        // The list and the preview must not show another workbook's sheets
        // beside the new path.
        openBook_ = nullptr;
        c_.cmbhoja->Clear();
        preview_->ClearPicture();
        ReportFailure(error.what());
    }
}

void WorkbookChoice::cmbhoja_Click() {
    const std::string sheet = c_.cmbhoja->Text().toStdString();
    if (sheet.empty()) return;
    try {
        if (openBook_ != nullptr) {
            ShowSheet(*openBook_, sheet);
        } else {
            workbook::Workbook book = workbook::Workbook::Open(PathOf(c_.Text_excel->text()));
            ShowSheet(book, sheet);
        }
    } catch (const workbook::WorkbookError& error) {
        preview_->ClearPicture();
        ReportFailure(error.what());
    }
}

void WorkbookChoice::ShowSheet(workbook::Workbook& book, const std::string& sheet) {
    preview_->Show(book.Sheet(sheet), point::UserSeparators());
}

void WorkbookChoice::ReportFailure(const std::string& text) const {
    dialogs_.Show({text, "Error", dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok});
}

}  // namespace trevalco::batch
