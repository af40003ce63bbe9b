#include "dialogs/SaveDialog.h"

#include <QFileInfo>

#include "dialogs/QtDialogs.h"

namespace trevalco::dialogs {
namespace {

// The first extension of a filter's patterns: "*.geojson *.json" gives "geojson".
QString FirstSuffix(const FileFilter& filter) {
    const QString pattern = QString::fromStdString(filter.pattern).section(QLatin1Char(' '), 0, 0);
    return pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
}

}  // namespace

std::unique_ptr<QFileDialog> BuildSaveDialog(const SaveFileRequest& request, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString::fromStdString(request.title));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(FilterText(request.filters).split(QStringLiteral(";;")));
    const QFileInfo suggested(QString::fromStdString(request.suggestedPath));
    if (!request.suggestedPath.empty()) {
        dialog->setDirectory(suggested.absolutePath());
        dialog->selectFile(suggested.fileName());
    }
    const QStringList names = dialog->nameFilters();
    for (std::size_t i = 0; i < request.filters.size() && static_cast<qsizetype>(i) < names.size(); ++i) {
        if (FirstSuffix(request.filters[i]).compare(suggested.suffix(), Qt::CaseInsensitive) != 0) continue;
        dialog->selectNameFilter(names[static_cast<qsizetype>(i)]);
        dialog->setDefaultSuffix(suggested.suffix());
        break;
    }
    QFileDialog* raw = dialog.get();
    const std::vector<FileFilter> filters = request.filters;
    QObject::connect(raw, &QFileDialog::filterSelected, raw, [raw, filters](const QString& chosen) {
        const qsizetype at = raw->nameFilters().indexOf(chosen);
        if (at >= 0 && at < static_cast<qsizetype>(filters.size()))
            raw->setDefaultSuffix(FirstSuffix(filters[static_cast<std::size_t>(at)]));
    });
    return dialog;
}

}  // namespace trevalco::dialogs
