#include "TerminalDialogs.h"

#include <string>

namespace trevalco::cli {

TerminalDialogs::TerminalDialogs(std::FILE* err, BadRowAnswer onBadRow, TerminalProgress& progress)
    : err_(err), onBadRow_(onBadRow), progress_(progress) {}

dialogs::Answer TerminalDialogs::Show(const dialogs::Message& message) {
    progress_.ClearLine();
    std::string line = "trevalco-cli batch: ";
    const std::int32_t row = currentRow_ ? currentRow_() : 0;
    // Failures and preconditions (title "Error") are not about a row.
    if (row > 0 && message.title != "Error") line += "fila " + std::to_string(row) + ": ";
    line += message.text;
    dialogs::Answer answer = dialogs::Answer::Ok;
    if (message.buttons == dialogs::Buttons::YesNo) {
        // The command line is told by its options, never asked: no.
        answer = dialogs::Answer::Cancel;
        line += " -> no";
    } else if (message.buttons == dialogs::Buttons::OkCancel) {
        if (onBadRow_ == BadRowAnswer::Stop && !(pastData_ && pastData_())) {
            answer = dialogs::Answer::Cancel;
            ++stops_;
            line += " -> se detiene la conversión";
        } else if (rowWritten_ && rowWritten_()) {
            line += " -> la fila queda solo con sus columnas de origen";
        } else {
            line += " -> se omite la fila";
        }
    }
    line += '\n';
    std::fputs(line.c_str(), err_);
    return answer;
}

std::optional<std::string> TerminalDialogs::ChooseFileToOpen(const dialogs::OpenFileRequest&) {
    return std::nullopt;
}

}  // namespace trevalco::cli
