#include "BatchSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <set>
#include <string_view>
#include <vector>

#include "ArgumentValues.h"
#include "LayerOptions.h"
#include "CellReference.h"

namespace trevalco::cli {

namespace {

batch::PageColumns PageOf(core::Notation from) {
    switch (from) {
        case core::Notation::DecimalDegrees: return batch::WithFirstOfferedColumns(batch::DecimalColumns{});
        case core::Notation::DegreesMinutesSeconds: return batch::WithFirstOfferedColumns(batch::DmsColumns{});
        case core::Notation::Utm: break;
    }
    return batch::WithFirstOfferedColumns(batch::UtmColumns{});
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string RoleNames(const batch::PageColumns& page) {
    std::string names;
    for (const auto& role : batch::RolesOf(page)) {
        if (!names.empty()) names += ", ";
        names += role.name;
    }
    return names;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Why an output path given with --output cannot be used, if it cannot.
std::optional<std::string> OutputRefusal(const std::string& workbook, const std::string& output) {
    namespace fs = std::filesystem;
    const fs::path source(workbook), chosen(output);
    if (output.empty() || chosen.filename().empty() || chosen.filename() == "." || chosen.filename() == "..")
        return "--output necesita el nombre de un archivo: " + output;
    if (Upper(chosen.extension().string()) != Upper(source.extension().string()))
        return "--output debe tener la extensión del libro (" + source.extension().string() + "): " + output;
    std::error_code error;
    const bool same = fs::absolute(source, error).lexically_normal() == fs::absolute(chosen, error).lexically_normal() ||
                      fs::equivalent(source, chosen, error);
    if (same) return "--output no puede ser el libro de origen: " + output;
    return std::nullopt;
}

}  // namespace

ParsedBatchArguments ParseBatchArguments(int argc, const char* const* argv) {
    ParsedBatchArguments parsed;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    BatchSettings settings;
    std::optional<std::string> workbook, sheet, from, direction, zone, output;
    std::vector<std::string> columnLists;
    for (int i = 0; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (option == "-o") option = "--output";
        if (!option.starts_with("--")) {
            if (workbook) return fail("argumento inesperado: " + std::string(option));
            workbook = std::string(option);
            continue;
        }
        if (option == "--overwrite") {
            settings.overwrite = true;
            continue;
        }
        if (option == "--ignore-lock") {
            settings.ignoreLock = true;
            continue;
        }
        if (option == "--replace-columns") {
            settings.replaceColumns = true;
            continue;
        }
        if (!IsOneOf(option, {"--sheet", "--from", "--direction", "--zone", "--force-zone", "--recovery-seconds",
                              "--columns", "--on-bad-row", "--output", "--layer", "--sirgas", "--shifts"}))
            return fail("opción desconocida: " + std::string(option.substr(0, option.find('='))));
        std::string_view value;
        if (const auto given = OptionValue(option, i, argc, argv))
            value = *given;
        else
            return fail("falta el valor de " + std::string(option));
        if (option == "--sheet") {
            sheet = std::string(value);
        } else if (option == "--from") {
            from = std::string(value);
        } else if (option == "--direction") {
            direction = std::string(value);
        } else if (option == "--zone") {
            zone = std::string(value);
        } else if (option == "--force-zone") {
            const auto forced = ForcedZoneFor(value);
            if (!forced)
                return fail("zona forzada inválida (12, 13, 16, 17, 18, 19, 20, 21 o 22): " +
                            std::string(value));
            settings.forced = *forced;
        } else if (option == "--recovery-seconds") {
            const auto seconds = WholeArgument(value);
            if (!seconds || *seconds < 0 || *seconds > 86400)
                return fail("--recovery-seconds admite de 0 a 86400 segundos: " + std::string(value));
            settings.recoverySeconds = *seconds;
        } else if (option == "--layer") {
            settings.layer = std::string(value);
        } else if (option == "--sirgas") {
            const auto code = SirgasCodeFor(value);
            if (!code) return fail(std::string("--sirgas admite ") + kSirgasCodesText + ": " + std::string(value));
            settings.sirgas = *code;
        } else if (option == "--shifts") {
            const auto shifts = ShiftSetFor(value);
            if (!shifts) return fail("--shifts admite seed o epsg: " + std::string(value));
            settings.shifts = *shifts;
        } else if (option == "--output") {
            output = std::string(value);
        } else if (option == "--columns") {
            columnLists.emplace_back(value);
        } else if (option == "--on-bad-row") {
            if (value == "skip")
                settings.onBadRow = BadRowAnswer::Skip;
            else if (value == "stop")
                settings.onBadRow = BadRowAnswer::Stop;
            else
                return fail("--on-bad-row admite skip o stop: " + std::string(value));
        } else {
            return fail("opción desconocida: " + std::string(option));
        }
    }
    if (!workbook || workbook->empty()) return fail("falta el libro");
    if (!sheet) return fail("falta --sheet");
    if (!from) return fail("falta --from");
    if (!direction) return fail("falta --direction");
    settings.workbook = *workbook;
    settings.sheet = *sheet;
    if (output) {
        if (auto refused = OutputRefusal(*workbook, *output)) return fail(std::move(*refused));
        settings.output = *output;
    }

    const std::optional<core::Notation> notation = NotationFor(*from);
    if (!notation) return fail("notación desconocida (dd, dms o utm): " + *from);
    std::optional<batch::PageColumns> page = PageOf(*notation);
    auto key = KeyFor(*direction);
    if (!key) return fail("dirección desconocida: " + *direction);
    settings.key = *key;

    // The zone of a UTM sheet is never guessed: a sheet of zone 19 taken as
    // zone 18 would come out a whole zone away.
    if (auto* utm = std::get_if<batch::UtmColumns>(&*page); utm != nullptr && !zone)
        return fail("falta --zone (18 o 19): la zona de las filas de la hoja UTM");
    if (zone) {
        auto* utm = std::get_if<batch::UtmColumns>(&*page);
        if (utm == nullptr) return fail("--zone solo se usa con --from utm");
        if (*zone != "18" && *zone != "19") return fail("zona inválida (18 o 19): " + *zone);
        utm->zone = static_cast<std::int16_t>(*WholeArgument(*zone));
    }

    for (const std::string& list : columnLists) {
        for (const std::string_view pair : Split(list, ',')) {
            const auto eq = pair.find('=');
            if (eq == std::string_view::npos)
                return fail("--columns espera ROL=COLUMNA: " + std::string(pair));
            const std::string_view role = pair.substr(0, eq);
            std::string* letter = role == "name" ? &settings.nameColumn : batch::LetterOf(*page, role);
            if (letter == nullptr)
                return fail("rol desconocido «" + std::string(role) + "» (" + RoleNames(*page) +
                            ")");
            const std::string column = Upper(pair.substr(eq + 1));
            if (workbook::ColumnIndex(column) == 0)
                return fail("columna inválida para " + std::string(role) + ": " +
                            std::string(pair.substr(eq + 1)));
            *letter = column;
        }
    }
    std::set<std::string> used;
    for (const auto& role : batch::RolesOf(*page)) {
        const std::string& letter = *batch::LetterOf(*page, role.name);
        if (!used.insert(letter).second)
            return fail("la columna " + letter + " está asignada a más de un rol");
    }
    settings.columns = std::move(*page);
    parsed.settings = std::move(settings);
    return parsed;
}

}  // namespace trevalco::cli
