#include "RunMessages.h"


namespace trevalco::batch {

using dialogs::Buttons;
using dialogs::Message;
using dialogs::MessageIcon;

Message SelectWorkbookMessage() {
    return {"Seleccione Archivo", "Error", MessageIcon::Exclamation, Buttons::Ok};
}

Message FileNotFoundMessage() {
    // No title of its own: the box shows the application's.
    return {"Achivo No Encontrado", "", MessageIcon::Exclamation, Buttons::Ok};
}

Message SelectColumnsMessage() {
    return {"Seleccione Columnas", "Error", MessageIcon::Exclamation, Buttons::Ok};
}

Message RowPrompt(std::int32_t row, std::string_view text) {
    std::string message = "La Fila  \" ";
    message += std::to_string(row);
    message += " \"";
    message += text;
    return {std::move(message), "Advertencia", MessageIcon::None, Buttons::OkCancel};
}

Message CellPrompt(const std::string& text) {
    return {text, "Advertencia", MessageIcon::None, Buttons::OkCancel};
}

Message ZeroNotice(const std::string& text) {
    return {text, "Advertencia", MessageIcon::Exclamation, Buttons::Ok};
}

Message ReplaceOutputQuestion(std::string_view outputPath) {
    std::string text = "Ya existe el archivo \"";
    text += outputPath;
    text += "\". ¿Desea reemplazarlo?";
    return {std::move(text), "Advertencia", MessageIcon::Exclamation, Buttons::OkCancel};
}

Message OutputInUseMessage(std::string_view outputPath, long holder) {
    std::string text = "El archivo \"";
    text += outputPath;
    text += "\" está en uso por otra conversión";
    if (holder > 0) text += " (proceso " + std::to_string(holder) + ")";
    text += ". Espere a que termine y vuelva a intentarlo.";
    return {std::move(text), "Error", MessageIcon::Exclamation, Buttons::Ok};
}

Message DecimalSavedMessage(std::string_view writtenFileName) {
    std::string text = "Archivo Guardado como \"";
    text += writtenFileName;
    text += '"';
    return {std::move(text), "Salvar como", MessageIcon::Information, Buttons::Ok};
}

Message OtherSavedMessage(std::string_view writtenFileName) {
    std::string text = "Archivo Guardado como     ";
    text += writtenFileName;
    text += ' ';
    return {std::move(text), "Error", MessageIcon::Exclamation, Buttons::Ok};
}

Message WorkbookFailure(std::string_view text) {
    return {std::string(text), "Error", MessageIcon::Exclamation, Buttons::Ok};
}

}  // namespace trevalco::batch
