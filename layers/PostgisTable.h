// PostGIS tables as layers. "PG:dbname=… host=…" names a database in
// libpq's words (what it leaves out comes from PGHOST, PGUSER and the rest
// of libpq's environment); a table is read like a file's layer, and the
// converted table is written inside one transaction, so that it is seen
// whole when the transaction commits or not at all, however the run ends
// (an error, Ctrl-C, SIGKILL, a lost connection).
//
// Two runs writing the same table never interleave: the writing
// transaction first takes a PostgreSQL advisory lock keyed on the table's
// name (pg_try_advisory_xact_lock), held until it commits or rolls back;
// a second run finds it taken and is refused at once. Inside that lock an
// existing table is refused, or dropped in the same transaction with
// --overwrite.
#pragma once

#include <ogrsf_frmts.h>

#include <string>
#include <string_view>
#include <vector>

namespace trevalco::layers {

// Whether a layer argument names a PostgreSQL database ("PG:…").
bool IsPostgres(std::string_view name);

// The argument as messages show it: its password hidden.
std::string ShownConnection(std::string_view name);

// Opens the database (for writing with `update`). Throws LayerError: no
// connection, no PostGIS in it.
GDALDatasetUniquePtr OpenDatabase(std::string_view name, bool update);

// The table `name` of the database. Throws LayerError: there is no such
// table, this user may not read it, it has no geometry column.
OGRLayer& SourceTable(GDALDataset& database, const std::string& name);

// Whether the table's geometry column declares its SRID (a bare
// `geometry` column does not: its rows could be in any CRS).
bool DeclaresSrid(GDALDataset& database, OGRLayer& table);

// What tells a table apart from every other, compared between two
// connections: its database, server and oid ("" when it does not exist).
// Throws LayerError.
std::string TableIdentity(GDALDataset& database, OGRLayer& table);

// Throws LayerUsageError unless `table` is a name PostgreSQL keeps as it
// is written: [schema.]table in lower case, at most 63 bytes a part.
void CheckTableName(const std::string& table);

// A table being written in its transaction: the lock taken, the old table
// (if any) refused or dropped. Destroyed uncommitted, it rolls back.
class TableOutput {
public:
    // The table will be in the CRS `code`, added to spatial_ref_sys under
    // its EPSG code when PostGIS lacks it; `source` is the TableIdentity of
    // the table being read ("" for a file). Throws LayerUsageError (a name
    // CheckTableName refuses, the table being read) or LayerError: no
    // connection or PostGIS, no such schema or no right to create in it,
    // another run holds the lock, the table exists and `replace` is false,
    // it cannot be dropped.
    TableOutput(std::string_view database, const std::string& table, bool replace, int code,
                const std::string& source);
    ~TableOutput();
    TableOutput(const TableOutput&) = delete;
    TableOutput& operator=(const TableOutput&) = delete;

    // Creates the table with GDAL's layer creation options. Throws LayerError.
    OGRLayer& Create(OGRwkbGeometryType type, const std::vector<std::string>& options);

    // Commits the transaction. Throws LayerError.
    void Commit();

    GDALDataset& Database() { return *database_; }
    const std::string& Name() const { return name_; }  // schema.table

private:
    void Lock();
    void ReplaceOld(bool replace, const std::string& source);
    void AddSrid(int code);

    GDALDatasetUniquePtr database_;
    std::string schema_, table_, name_;
    int code_ = 0;
    bool open_ = false;  // a transaction to commit or roll back
};

}  // namespace trevalco::layers
