#include "PostgisTable.h"

#include <unistd.h>

#include <cpl_conv.h>

#include <cstdlib>
#include <regex>

#include "Gdal.h"
#include "LayerCrs.h"
#include "LayerFormat.h"

namespace trevalco::layers {

namespace {

// The first key of the program's advisory locks ("TrVl"), so that they
// never meet another application's locks keyed on one number.
constexpr int kLockKey = 0x5472566c;

// Waiting on another session's lock ends in an error after this long
// instead of hanging: a reader of a table being replaced, a run whose
// output is the table it reads.
constexpr const char* kLockTimeout = "10s";

// libpq waits for a server that does not answer as long as TCP does
// (minutes) unless the connection or its environment says otherwise.
constexpr const char* kConnectTimeout = "10";

constexpr std::size_t kLongestName = 63;

std::string Literal(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

std::string Named(const std::string& name) { return "«" + name + "»"; }

// GDAL's last message on one line, without its own prefix to libpq's nor
// the statement PostgreSQL quotes.
std::string Said() {
    std::string message = LastGdalMessage();
    for (const char* prefix : {"PQconnectdb failed.", "PQconnectdb failed:", "ERROR:"})
        if (message.starts_with(prefix)) message.erase(0, std::string_view(prefix).size());
    if (const auto quoted = message.find("\nLINE "); quoted != std::string::npos) message.erase(quoted);  // the SQL
    for (char& c : message)
        if (c == '\n' || c == '\t') c = ' ';
    const auto first = message.find_first_not_of(' '), last = message.find_last_not_of(' ');
    return first == std::string::npos ? std::string("sin detalle") : message.substr(first, last - first + 1);
}

// The first row of a query, each field as text ("" for NULL); empty
// without a row. Throws LayerError, `failure` followed by the reason.
std::vector<std::string> Row(GDALDataset& database, const std::string& sql, const std::string& failure) {
    CPLErrorReset();
    OGRLayer* result = database.ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (CPLGetLastErrorType() >= CE_Failure) {
        if (result != nullptr) database.ReleaseResultSet(result);
        throw LayerError(failure + ": " + Said());
    }
    std::vector<std::string> fields;
    if (result == nullptr) return fields;
    if (const OGRFeatureUniquePtr row(result->GetNextFeature()); row)
        for (int i = 0; i < row->GetFieldCount(); ++i)
            fields.emplace_back(row->IsFieldSetAndNotNull(i) ? row->GetFieldAsString(i) : "");
    database.ReleaseResultSet(result);
    return fields;
}

std::string Identifier(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The table of a GDAL layer name as SQL names it: "table" or
// "schema.table", either with "(column)" after it for one of several
// geometry columns.
std::string TableOf(std::string name) {
    if (const auto open = name.rfind('('); name.ends_with(')') && open != std::string::npos) name.erase(open);
    const auto dot = name.find('.');
    if (dot == std::string::npos) return Identifier(name);
    return Identifier(std::string_view(name).substr(0, dot)) + "." + Identifier(std::string_view(name).substr(dot + 1));
}

std::string RegClassOf(const std::string& name) { return "to_regclass(" + Literal(TableOf(name)) + ")"; }

// Database, server address and port, and the oid of the relation that
// `regclass` finds.
std::string Identity(GDALDataset& database, const std::string& regclass, const std::string& failure) {
    const std::vector<std::string> row = Row(
        database,
        "SELECT current_database() || '|' || COALESCE(host(inet_server_addr()), '') || '|' || "
        "COALESCE(inet_server_port()::text, '') || '|' || COALESCE(" + regclass + "::oid::text, '')",
        failure);
    return row.empty() || row[0].ends_with('|') ? std::string() : row[0];
}

bool PartKept(std::string_view part) {
    if (part.empty() || part.size() > kLongestName) return false;
    for (const char c : part)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || static_cast<unsigned char>(c) >= 0x80))
            return false;
    return true;
}

}  // namespace

bool IsPostgres(std::string_view name) {
    return name.size() >= 3 && (name[0] == 'P' || name[0] == 'p') && (name[1] == 'G' || name[1] == 'g') &&
           name[2] == ':';
}

std::string ShownConnection(std::string_view name) {
    static const std::regex password(R"((password\s*=\s*)('([^'\\]|\\.)*'|\S+))", std::regex::icase);
    static const std::regex inAddress(R"((://[^:/@\s]*:)[^@\s]*@)");
    return std::regex_replace(std::regex_replace(std::string(name), password, "$1***"), inAddress, "$1***@");
}

GDALDatasetUniquePtr OpenDatabase(std::string_view name, bool update) {
    RegisterDrivers();
    ::setenv("PGCONNECT_TIMEOUT", kConnectTimeout, 0);
    const char* const drivers[] = {"PostgreSQL", nullptr};
    const std::string shown = Named(ShownConnection(name));
    CPLErrorReset();
    GDALDatasetUniquePtr database(GDALDataset::Open(std::string(name).c_str(),
                                                    GDAL_OF_VECTOR | (update ? GDAL_OF_UPDATE : GDAL_OF_READONLY),
                                                    drivers, nullptr, nullptr));
    if (!database) throw LayerError("no se pudo conectar con la base de datos " + shown + ": " + Said());
    const std::string failure = "no se pudo consultar la base de datos " + shown;
    if (Row(*database, "SELECT extversion FROM pg_extension WHERE extname = 'postgis'", failure).empty())
        throw LayerError("la base de datos " + shown + " no tiene PostGIS (CREATE EXTENSION postgis)");
    Row(*database, "SET lock_timeout = " + Literal(kLockTimeout), failure);
    Row(*database, "SET application_name = " + Literal("trevalco-cli layer, proceso " + std::to_string(::getpid())),
        failure);
    return database;
}

OGRLayer& SourceTable(GDALDataset& database, const std::string& name) {
    OGRLayer* table = database.GetLayerByName(name.c_str());
    CPLErrorReset();
    if (table == nullptr)
        throw LayerError("no hay una tabla " + Named(name) + " en la base de datos (o este usuario no la ve)");
    const std::vector<std::string> readable =
        Row(database, "SELECT has_table_privilege(" + RegClassOf(table->GetName()) + ", 'SELECT')::int",
            "no se pudo consultar la tabla " + Named(name));
    if (!readable.empty() && readable[0] == "0")
        throw LayerError("este usuario no tiene permiso para leer la tabla " + Named(name));
    // A table another session holds locked is named now (after the lock
    // timeout) rather than midway through the reading.
    Row(database, "SELECT 1 FROM " + TableOf(table->GetName()) + " LIMIT 0", "no se pudo leer la tabla " + Named(name));
    if (table->GetLayerDefn()->GetGeomFieldCount() == 0)
        throw LayerError("la tabla " + Named(name) + " no tiene columna de geometría");
    return *table;
}

bool DeclaresSrid(GDALDataset& database, OGRLayer& table) {
    const std::vector<std::string> column =
        Row(database,
            "SELECT postgis_typmod_srid(atttypmod), format_type(atttypid, NULL) FROM pg_attribute WHERE attrelid = " +
                RegClassOf(table.GetName()) + " AND attname = " + Literal(table.GetGeometryColumn()),
            "no se pudo consultar la tabla " + Named(table.GetName()));
    // A geography column is always in a CRS (EPSG:4326 unless it names another).
    return column.size() < 2 || column[0] != "0" || column[1] == "geography";
}

std::string TableIdentity(GDALDataset& database, OGRLayer& table) {
    return Identity(database, RegClassOf(table.GetName()), "no se pudo consultar la tabla " + Named(table.GetName()));
}

void CheckTableName(const std::string& table) {
    const auto dot = table.find('.');
    const bool kept = dot == std::string::npos
                          ? PartKept(table)
                          : PartKept(std::string_view(table).substr(0, dot)) &&
                                PartKept(std::string_view(table).substr(dot + 1));
    if (!kept)
        throw LayerUsageError("--target-layer debe ser TABLA o ESQUEMA.TABLA en minúsculas, con letras, dígitos y _ "
                              "(hasta 63 bytes cada parte): " + Named(table));
}

TableOutput::TableOutput(std::string_view database, const std::string& table, bool replace, int code,
                         const std::string& source)
    : code_(code) {
    CheckTableName(table);
    database_ = OpenDatabase(database, true);
    const std::string failure = "no se pudo preparar la tabla " + Named(table);
    const auto dot = table.find('.');
    table_ = dot == std::string::npos ? table : table.substr(dot + 1);
    if (dot != std::string::npos) schema_ = table.substr(0, dot);
    else if (const auto current = Row(*database_, "SELECT current_schema()", failure); !current.empty())
        schema_ = current[0];
    if (schema_.empty())
        throw LayerError("la base de datos no tiene un esquema donde crear la tabla; nómbrelo: ESQUEMA.TABLA");
    name_ = schema_ + "." + table_;
    const std::vector<std::string> rights =
        Row(*database_, "SELECT has_schema_privilege(oid, 'CREATE')::int FROM pg_namespace WHERE nspname = " +
                            Literal(schema_), failure);
    if (rights.empty()) throw LayerError("no existe el esquema " + Named(schema_) + " en la base de datos");
    if (rights[0] != "1") throw LayerError("este usuario no puede crear tablas en el esquema " + Named(schema_));
    AddSrid(code);
    CPLErrorReset();
    if (database_->StartTransaction() != OGRERR_NONE) throw LayerError(failure + ": " + Said());
    open_ = true;
    Lock();
    ReplaceOld(replace, source);
}

TableOutput::~TableOutput() {
    if (open_) database_->RollbackTransaction();
}

// The CRS in spatial_ref_sys under its own EPSG code, where PostGIS's list
// lacks it (codes newer than that list), for GDAL to find rather than add
// under a number of its own. In a short transaction of its own: a
// definition every table in that CRS shares, which two runs may add at
// once (the second adds nothing).
void TableOutput::AddSrid(int code) {
    const std::string failure = "no se pudo consultar spatial_ref_sys";
    const std::string number = std::to_string(code);
    if (!Row(*database_, "SELECT 1 FROM spatial_ref_sys WHERE (auth_name = 'EPSG' AND auth_srid = " + number +
                             ") OR srid = " + number, failure).empty())
        return;
    const std::vector<std::string> rights =
        Row(*database_, "SELECT has_table_privilege('spatial_ref_sys', 'INSERT')::int", failure);
    if (rights.empty() || rights[0] != "1")
        throw LayerError("PostGIS no tiene EPSG:" + number + " en spatial_ref_sys y este usuario no puede "
                         "agregarlo; pídalo a quien administra la base de datos");
    const OGRSpatialReference srs = SpatialReference(code);
    char* wkt = nullptr;
    char* proj4 = nullptr;
    srs.exportToWkt(&wkt);
    srs.exportToProj4(&proj4);
    const std::string values = number + ", 'EPSG', " + number + ", " + Literal(wkt != nullptr ? wkt : "") + ", " +
                               Literal(proj4 != nullptr ? proj4 : "");
    CPLFree(wkt);
    CPLFree(proj4);
    Row(*database_, "INSERT INTO spatial_ref_sys (srid, auth_name, auth_srid, srtext, proj4text) VALUES (" + values +
                        ") ON CONFLICT DO NOTHING", "no se pudo agregar EPSG:" + number + " a spatial_ref_sys");
}

void TableOutput::Lock() {
    const std::string failure = "no se pudo tomar el bloqueo de la tabla " + Named(name_);
    const std::string key = std::to_string(kLockKey) + ", hashtext(" + Literal(name_) + ")";
    const std::vector<std::string> taken =
        Row(*database_, "SELECT pg_try_advisory_xact_lock(" + key + ")::int", failure);
    if (!taken.empty() && taken[0] == "1") return;
    const std::vector<std::string> holder = Row(
        *database_,
        "SELECT a.application_name, l.pid FROM pg_locks l LEFT JOIN pg_stat_activity a ON a.pid = l.pid "
        "WHERE l.locktype = 'advisory' AND l.granted AND l.objsubid = 2 AND l.classid = " + std::to_string(kLockKey) +
            "::oid AND l.objid = (hashtext(" + Literal(name_) + ")::bigint & 4294967295)::oid",
        failure);
    const std::string who = holder.size() < 2 ? "" : !holder[0].empty() ? holder[0] : "sesión " + holder[1];
    throw LayerError("otra conversión" + (who.empty() ? "" : " (" + who + ")") + " está escribiendo la tabla " +
                     Named(name_));
}

void TableOutput::ReplaceOld(bool replace, const std::string& source) {
    const std::string quoted = Identifier(schema_) + "." + Identifier(table_);
    const std::string regclass = "to_regclass(" + Literal(quoted) + ")";
    const std::string failure = "no se pudo consultar la tabla " + Named(name_);
    const std::vector<std::string> old =
        Row(*database_, "SELECT relkind FROM pg_class WHERE oid = " + regclass, failure);
    if (old.empty()) return;
    if (!source.empty() && Identity(*database_, regclass, failure) == source)
        throw LayerUsageError("la tabla de salida " + Named(name_) + " es la de entrada; elija otro --target-layer");
    if (old[0] != "r" && old[0] != "p")
        throw LayerError(Named(name_) + " ya existe en la base de datos y no es una tabla (una vista, un índice…); "
                         "elija otro --target-layer");
    if (!replace) throw LayerError("ya existe la tabla " + Named(name_) + "; use --overwrite para reemplazarla");
    Row(*database_, "DROP TABLE " + quoted, "no se pudo reemplazar la tabla " + Named(name_));
}

OGRLayer& TableOutput::Create(OGRwkbGeometryType type, const std::vector<std::string>& options) {
    OGRSpatialReference srs = SpatialReference(code_);
    OptionList list(options);
    CPLErrorReset();
    OGRLayer* layer = database_->CreateLayer(name_.c_str(), &srs, type, list.Get());
    if (layer == nullptr) throw LayerError("no se pudo crear la tabla " + Named(name_) + ": " + Said());
    return *layer;
}

void TableOutput::Commit() {
    CPLErrorReset();
    if (database_->CommitTransaction() != OGRERR_NONE || CPLGetLastErrorType() >= CE_Failure) {
        throw LayerError("no se pudo guardar la tabla " + Named(name_) + ": " + Said());
    }
    open_ = false;
}

}  // namespace trevalco::layers
