// The choice of the workbook and sheet that the batch runs convert:
// "Examinar" asks for the file, lists its worksheets in cmbhoja and selects
// the first; choosing a sheet shows it in the preview box OLE1. Each command
// opens the workbook itself and closes it before it returns.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "Dialogs.h"

class QPushButton;
class QTableView;

namespace trevalco::controls {
class DropDownList;
class TextBox;
}  // namespace trevalco::controls

namespace trevalco::workbook {
class Workbook;
}

namespace trevalco::batch {

class ColumnSelectors;
class SheetPreview;

struct WorkbookChoiceControls {
    controls::TextBox* Text_excel = nullptr;
    QPushButton* Examina_exel = nullptr;
    controls::DropDownList* cmbhoja = nullptr;
    QTableView* OLE1 = nullptr;
};

class WorkbookChoice : public QObject {
    Q_OBJECT
public:
    // Connects "Examinar" and the sheet list; the preview box gets its model.
    WorkbookChoice(const WorkbookChoiceControls& controls, ColumnSelectors& selectors,
                   dialogs::Dialogs& dialogs, QObject* parent = nullptr);
    ~WorkbookChoice() override;

    void Examina_exel_Click();
    void cmbhoja_Click();
    // Takes the workbook at path as "Examinar" takes the file its dialog gave
    // ("Open with" and `trevalco WORKBOOK`); a path that is no file is reported.
    void ChooseWorkbook(const QString& path);

    const SheetPreview& Preview() const { return *preview_; }

private:
    // Asks until an existing file is chosen; false when the user gives up.
    bool ChooseWorkbookPath();
    // Lists the sheets of the workbook in Text_excel and shows the first.
    void ListSheets();
    void ShowSheet(workbook::Workbook& book, const std::string& sheet);
    void ReportFailure(const std::string& text) const;

    WorkbookChoiceControls c_;
    ColumnSelectors& selectors_;
    dialogs::Dialogs& dialogs_;
    SheetPreview* preview_ = nullptr;  // child QObject
    // The file dialog remembers the last file chosen, as its file name.
    std::string lastChosen_;
    // While "Examinar" holds the workbook open, the sheet choice it makes
    // shows the sheet from it instead of opening the file again.
    workbook::Workbook* openBook_ = nullptr;
};

}  // namespace trevalco::batch
