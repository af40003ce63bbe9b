// A table of rows to read (the features a conversion left out, with their
// causes): a heading line, the rows in a read-only table, and "Cerrar".
#pragma once

#include <QDialog>
#include <memory>

#include "Dialogs.h"

namespace trevalco::dialogs {

std::unique_ptr<QDialog> BuildTableDialog(const Table& table, QWidget* parent);

}  // namespace trevalco::dialogs
