#include "dialogs/QtDialogs.h"

#include <QFileDialog>
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
    const QMessageBox::StandardButtons buttons =
        message.buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    auto box = std::make_unique<QMessageBox>(IconOf(message.icon), title, QString(), buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setText(DisplayLines(message.text));
    box->setDefaultButton(QMessageBox::Ok);
    if (message.buttons == Buttons::OkCancel) box->setEscapeButton(QMessageBox::Cancel);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

Answer QtDialogs::Show(const Message& message) {
    const auto box = BuildMessageBox(message, parent_);
    box->exec();
    if (box->clickedButton() == box->button(QMessageBox::Ok)) return Answer::Ok;
    return message.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
}

QString FilterText(const OpenFileRequest& request) {
    QStringList entries;
    for (const FileFilter& filter : request.filters) {
        entries << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description),
                                                QString::fromStdString(filter.pattern));
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::ChooseFileToOpen(const OpenFileRequest& request) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent_, QString::fromStdString(request.title),
        QString::fromStdString(request.initialFolder), FilterText(request));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

}  // namespace trevalco::dialogs
