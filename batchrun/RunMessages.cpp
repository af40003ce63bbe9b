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

std::string OfficeLockStatement(std::string_view outputPath, const output::OfficeLockOwner& owner) {
    const auto known = [](const std::string& text) { return text.empty() ? std::string("desconocido") : text; };
    std::string text = "El archivo \"";
    text += outputPath;
    text += "\" está abierto en LibreOffice (usuario " + known(owner.user) + ", equipo " + known(owner.host) +
            ", desde " + known(owner.time) + "; aviso en \"" + owner.lockFile.filename().string() +
            "\"): si se guarda allí, esa copia reemplazará el resultado nuevo.";
    return text;
}

Message OfficeLockQuestion(std::string_view outputPath, const output::OfficeLockOwner& owner) {
    std::string text = OfficeLockStatement(outputPath, owner);
    text += "\nSi LibreOffice ya no lo tiene abierto (el aviso quedó de un cierre inesperado), puede "
            "reemplazarlo. ¿Desea reemplazarlo de todos modos?";
    return {std::move(text), "Advertencia", MessageIcon::Exclamation, Buttons::YesNo};
}

Message FilledColumnsQuestion(std::string_view columns, std::int32_t rows) {
    std::string text = "Las columnas ";
    text += columns;
    text += " ya tienen datos en " + std::to_string(rows) + " filas; ¿reemplazarlos?";
    return {std::move(text), "Advertencia", MessageIcon::Exclamation, Buttons::YesNo};
}

std::string RowCountsLine(std::int32_t converted, std::int32_t skipped, std::int32_t unreached) {
    return "Filas convertidas: " + std::to_string(converted) + "; omitidas: " + std::to_string(skipped) +
           "; sin alcanzar: " + std::to_string(unreached) + ".";
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
