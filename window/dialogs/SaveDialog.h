// The file-save dialog: opens on the suggested name with the filter of its
// extension chosen, adds the chosen filter's extension to a name typed
// without one, and asks before replacing a file that is there.
#pragma once

#include <QFileDialog>
#include <memory>

#include "Dialogs.h"

namespace trevalco::dialogs {

std::unique_ptr<QFileDialog> BuildSaveDialog(const SaveFileRequest& request, QWidget* parent);

}  // namespace trevalco::dialogs
