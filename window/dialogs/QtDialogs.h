// Message boxes, the file dialogs and the table of the window, with Qt.
#pragma once

#include <QString>
#include <memory>

#include "Dialogs.h"

class QMessageBox;
class QWidget;

namespace trevalco::dialogs {

class QtDialogs final : public Dialogs {
public:
    // Boxes are modal to parent (may be null).
    explicit QtDialogs(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Show(const Message& message) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const SaveFileRequest& request) override;
    void ShowTable(const Table& table) override;

private:
    QWidget* parent_;
};

// The box Show runs: text with one line per line of the message, the title
// (or the application's), icon and buttons.
std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* parent);

// The Qt filter text of a list of filters ("Archivos de Microsoft Excel (*.xls)").
QString FilterText(const std::vector<FileFilter>& filters);
inline QString FilterText(const OpenFileRequest& request) { return FilterText(request.filters); }

}  // namespace trevalco::dialogs
