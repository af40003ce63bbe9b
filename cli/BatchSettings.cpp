#include "BatchSettings.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

#include "ArgumentValues.h"
#include "CellReference.h"
#include "Options.h"

namespace trevalco::cli {

namespace {

using Result = Parsed<BatchSettings>;

constexpr std::string_view kNoWorkbook = "falta el libro";
// The role of the point name, read for --layer's points.
constexpr std::string_view kNameRole = "name";

constexpr std::array kBadRowAnswers{std::pair{std::string_view("skip"), BadRowAnswer::Skip},
                                    std::pair{std::string_view("stop"), BadRowAnswer::Stop}};

std::optional<BadRowAnswer> BadRowAnswerFor(std::string_view name) { return NamedIn(kBadRowAnswers, name); }

batch::PageColumns PageOf(core::Notation from) {
    switch (from) {
        case core::Notation::DecimalDegrees: return batch::WithFirstOfferedColumns(batch::DecimalColumns{});
        case core::Notation::DegreesMinutesSeconds: return batch::WithFirstOfferedColumns(batch::DmsColumns{});
        case core::Notation::Utm: break;
    }
    return batch::WithFirstOfferedColumns(batch::UtmColumns{});
}

// The roles --columns takes on the page: the page's own, and the point name.
std::string RoleNames(const batch::PageColumns& page) {
    std::string names;
    for (const auto& role : batch::RolesOf(page)) {
        names += role.name;
        names += ", ";
    }
    return names + std::string(kNameRole);
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
Refusal OutputRefusal(const std::string& workbook, const std::string& output) {
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

// The --columns lists put on the page, ROLE=COLUMN by pair; no column may
// serve two roles.
Refusal ChooseColumns(batch::PageColumns& page, std::string& nameColumn, const std::vector<std::string>& lists) {
    for (const std::string& list : lists) {
        for (const std::string_view pair : Split(list, ',')) {
            const auto eq = pair.find('=');
            if (eq == std::string_view::npos) return "--columns espera ROL=COLUMNA: " + std::string(pair);
            const std::string_view role = pair.substr(0, eq);
            std::string* letter = role == kNameRole ? &nameColumn : batch::LetterOf(page, role);
            if (letter == nullptr) return "rol desconocido «" + std::string(role) + "» (" + RoleNames(page) + ")";
            const std::string column = Upper(pair.substr(eq + 1));
            if (workbook::ColumnIndex(column) == 0)
                return "columna inválida para " + std::string(role) + ": " + std::string(pair.substr(eq + 1));
            *letter = column;
        }
    }
    std::set<std::string> used;
    for (const auto& role : batch::RolesOf(page)) {
        const std::string& letter = *batch::LetterOf(page, role.name);
        if (!used.insert(letter).second) return "la columna " + letter + " está asignada a más de un rol";
    }
    return std::nullopt;
}

}  // namespace

std::vector<Option> BatchOptions(BatchArguments& arguments) {
    BatchSettings& s = arguments.settings;
    const std::vector<std::string> zones = MainlandZoneNames();
    return {
        {.name = "--sheet", .value = "HOJA", .help = "la hoja a convertir (obligatoria)", .read = TextInto(s.sheet),
         .valueInHelp = true, .required = true},
        FromOption(arguments.from, Presence::Required),
        DirectionOption(s.key, Presence::Required),
        {.name = "--zone", .value = Alternatives(zones),
         .help = "zona de todas las filas de una hoja UTM (obligatoria con\n--from utm)",
         .read = Into(arguments.zone, MainlandZoneFor, "zona inválida (" + Listed(zones) + ")"), .valueInHelp = true},
        ForceZoneOption(s.forced),
        {.name = "--columns", .value = "ROL=COLUMNA,...",
         .help = "columnas de cada rol, por ejemplo lat=C,lon=B; por omisión\n"
                 "las que ofrece primero cada selector de la página:\n"
                 "  dd:  lat=B lon=C n=D e=E lat2=F lon2=G n2=H e2=I\n"
                 "  dms: latd=B latm=C lats=D lond=E lonm=F lons=G lat=H lon=I\n"
                 "       n=J e=K lat2=L lon2=M n2=N e2=O\n"
                 "  utm: n=B e=C lat=D lon=E n2=F e2=G lat2=H lon2=I\n"
                 "(lat, lon, n, e: origen; lat2, lon2, n2, e2: destino;\n"
                 "latd, latm, lats, lond, lonm, lons: grados, minutos, segundos;\n"
                 "name: el nombre del punto para --layer, A por omisión)",
         .read = [&arguments](std::string_view list) -> Refusal {
             arguments.columns.emplace_back(list);
             return std::nullopt;
         }},
        {.name = "--on-bad-row", .value = Alternatives(NamesIn(kBadRowAnswers)),
         .help = "ante una fila inválida: skip la omite, stop detiene la\n"
                 "conversión y guarda lo hecho; por omisión skip. Las filas\n"
                 "vacías tras la última fila con datos son el final de los\n"
                 "datos, no filas inválidas; un encabezado o una fila vacía\n"
                 "entre los puntos sí lo son",
         .read = Into(s.onBadRow, BadRowAnswerFor, "--on-bad-row admite " + Listed(NamesIn(kBadRowAnswers)))},
        OverwriteOption(s.overwrite, "el libro de salida"),
        {.name = "--output", .value = "RUTA",
         .help = "el libro de salida, con la extensión del libro y nunca el\n"
                 "libro mismo (por omisión NOMBRE_1 en su carpeta)",
         .read = TextInto(arguments.output), .valueInHelp = true, .alias = "-o"},
        {.name = "--ignore-lock",
         .help = "reemplaza el libro de salida aunque LibreOffice lo tenga\n"
                 "abierto (un aviso \".~lock.NOMBRE_1.xlsx#\" que quedó de un\n"
                 "cierre inesperado); si no, se rechaza (estado 3)",
         .read = Raise(s.ignoreLock)},
        {.name = "--replace-columns",
         .help = "escribe aunque las columnas de salida ya tengan datos en\n"
                 "filas que se van a convertir; si no, se rechaza (estado 2)",
         .read = Raise(s.replaceColumns)},
        {.name = "--recovery-seconds", .value = "N",
         .help = "guarda el libro incompleto a lo más cada N segundos\n(0: cada 1000 filas); por omisión " +
                 std::to_string(s.recoverySeconds),
         .read = Into(s.recoverySeconds, WholeFrom(0, 86400), "--recovery-seconds admite de 0 a 86400 segundos"),
         .valueInHelp = true},
        {.name = "--layer", .value = "SALIDA",
         .help = "escribe además los puntos convertidos como capa (.gpkg,\n"
                 ".shp, .kml, .geojson, .fgb, .dxf o .csv): nombre (rol name,\n"
                 "columna A por omisión), origen y destino, y el\n"
                 "desplazamiento de su banda; en el datum de destino, en la\n"
                 "zona forzada, si no en la de la hoja UTM, si no geográfica",
         .read = TextInto(s.layer), .valueInHelp = true},
        SirgasOption(s.sirgas,
                     "el SIRGAS de la capa: " + Listed(SirgasCodeNames(), "\no ") + " (SIRGAS-Chile 2021, por omisión)"),
        ShiftsOption(s.shifts),
    };
}

Parsed<BatchSettings> ParseBatchArguments(int argc, const char* const* argv) {
    BatchArguments arguments;
    const ArgumentsRead read = ReadArguments(BatchOptions(arguments), {1, kNoWorkbook}, argc, argv);
    if (read.Stopped()) return Result::Unread(read);
    BatchSettings& settings = arguments.settings;
    settings.workbook = read.operands.front();
    if (settings.workbook.empty()) return Result::Refused(std::string(kNoWorkbook));
    if (arguments.output) {
        if (Refusal refused = OutputRefusal(settings.workbook, *arguments.output)) return Result::Refused(*refused);
        settings.output = *arguments.output;
    }

    batch::PageColumns page = PageOf(arguments.from);
    // The zone of a UTM sheet is never guessed: a sheet of zone 19 taken as
    // zone 18 would come out a whole zone away.
    auto* utm = std::get_if<batch::UtmColumns>(&page);
    if (utm != nullptr && !arguments.zone)
        return Result::Refused("falta --zone (" + Listed(MainlandZoneNames()) + "): la zona de las filas de la hoja UTM");
    if (arguments.zone) {
        if (utm == nullptr) return Result::Refused("--zone solo se usa con --from utm");
        utm->zone = arguments.zone;
    }
    if (Refusal refused = ChooseColumns(page, settings.nameColumn, arguments.columns)) return Result::Refused(*refused);
    settings.columns = std::move(page);
    return {std::move(settings)};
}

}  // namespace trevalco::cli
