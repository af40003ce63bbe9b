#include "dialogs/QtDialogs.h"

#include "dialogs/SaveDialog.h"
#include "dialogs/TableDialog.h"

#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

namespace trevalco::dialogs {
namespace {

QMessageBox::Icon IconOf(dialogs::MessageIcon icon) {
    switch (icon) {
        case dialogs::MessageIcon::Information: return QMessageBox::Information;
        case dialogs::MessageIcon::Exclamation: return QMessageBox::Warning;
        case dialogs::MessageIcon::Critical: return QMessageBox::Critical;
        case dialogs::MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A carriage return alone ends a line as well.
QString DisplayLines(const std::string& text) {
    QString lines = QString::fromStdString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

}  // namespace

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* parent) {
    const QString title = message.title.empty() ? QString::fromUtf8(kApplicationTitle)
                                                : QString::fromStdString(message.title);
    QMessageBox::StandardButtons buttons(QMessageBox::Ok);
    if (message.buttons == Buttons::OkCancel) buttons = QMessageBox::Ok | QMessageBox::Cancel;
    if (message.buttons == Buttons::YesNo) buttons = QMessageBox::Yes | QMessageBox::No;
    auto box = std::make_unique<QMessageBox>(IconOf(message.icon), title, QString(), buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setText(DisplayLines(message.text));
    if (message.buttons == Buttons::YesNo) {
        // Named in Spanish whatever translations are loaded.
        box->button(QMessageBox::Yes)->setText(QString::fromUtf8("Sí"));
        box->button(QMessageBox::No)->setText(QStringLiteral("No"));
        box->setDefaultButton(QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setDefaultButton(QMessageBox::Ok);
        if (message.buttons == Buttons::OkCancel) box->setEscapeButton(QMessageBox::Cancel);
    }
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

Answer QtDialogs::Show(const Message& message) {
    const auto box = BuildMessageBox(message, parent_);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    if (clicked != nullptr && (clicked == box->button(QMessageBox::Ok) || clicked == box->button(QMessageBox::Yes)))
        return Answer::Ok;
    return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

QString FilterText(const std::vector<FileFilter>& filters) {
    QStringList entries;
    for (const FileFilter& filter : filters) {
        entries << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description),
                                                QString::fromStdString(filter.pattern));
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::ChooseFileToOpen(const OpenFileRequest& request) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent_, QString::fromStdString(request.title),
        QString::fromStdString(request.initialFolder), FilterText(request.filters));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

std::optional<std::string> QtDialogs::ChooseFileToSave(const SaveFileRequest& request) {
    const auto dialog = BuildSaveDialog(request, parent_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().front().toStdString();
}

void QtDialogs::ShowTable(const Table& table) { BuildTableDialog(table, parent_)->exec(); }

}  // namespace trevalco::dialogs
