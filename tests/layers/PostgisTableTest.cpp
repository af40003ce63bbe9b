// `trevalco-cli layer` on PostGIS tables of a real PostgreSQL with PostGIS,
// the throw-away cluster tests/layers/with-postgis starts (its PGHOST,
// PGPORT, PGUSER, PGPASSWORD): read, converted and written back, refused,
// interrupted and killed mid-write, overlapping. Without that environment
// every test is skipped.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "LayerSupport.h"

namespace trevalco::layers::test {
namespace {

using namespace std::chrono_literals;

const std::string kDatabase = "PG:dbname=trevalco_prueba";
constexpr int kLargeTable = 60000;

class PostgisTables : public cli::test::CliFixture {
protected:
    void SetUp() override {
        if (std::getenv("PGHOST") == nullptr || std::getenv("PGPORT") == nullptr)
            GTEST_SKIP() << "sin PostgreSQL: PGHOST y PGPORT no están definidos (ctest lo ejecuta con pg_virtualenv)";
        MakeLayer(folder / "in.gpkg",
                  "P1,POINT (346825.988 6297980.173)\nL1,\"LINESTRING (400000 7135000,400000 7113000)\"\n"
                  "A1,\"POLYGON ((300000 6680000,310000 6680000,310000 6690000,300000 6690000,300000 6680000),"
                  "(302000 6682000,304000 6682000,304000 6684000,302000 6682000))\"\n",
                  "EPSG:24879");
        static bool made = false;
        if (made) return;
        Sql("CREATE DATABASE trevalco_prueba; CREATE DATABASE trevalco_sin_postgis;"
            "CREATE ROLE trevalco_lector LOGIN PASSWORD 'lector'", "postgres");
        Sql("CREATE EXTENSION postgis; CREATE SCHEMA otro;"
            "CREATE TABLE sin_srid (id serial PRIMARY KEY, geom geometry);"
            "INSERT INTO sin_srid (geom) VALUES ('SRID=24879;POINT (300000 6300000)');"
            "CREATE TABLE europa (id serial PRIMARY KEY, geom geometry(Point, 4230));"
            "INSERT INTO europa (geom) VALUES ('SRID=4230;POINT (-3 40)');"
            "CREATE TABLE grande AS SELECT i AS id, 'G' || i AS name, ST_SetSRID(ST_MakePoint(300000 + i % 1000, "
            "6300000 + i / 10), 24879)::geometry(Point, 24879) AS geom FROM generate_series(1, " +
            std::to_string(kLargeTable) + ") i; ALTER TABLE grande ADD PRIMARY KEY (id);"
            // The same rows read in about three seconds: a run is still writing when it is stopped.
            "CREATE FUNCTION pausa(i int) RETURNS boolean LANGUAGE plpgsql AS "
            "$$ BEGIN IF i % 2000 = 0 THEN PERFORM pg_sleep(0.1); END IF; RETURN true; END $$;"
            "CREATE VIEW lenta AS SELECT * FROM grande WHERE pausa(id)");
        const std::string load = "ogr2ogr -f PostgreSQL " + kDatabase + " " + Quoted("in.gpkg") +
                                 " -nln vertices -lco GEOMETRY_NAME=geom -lco FID=id";
        ASSERT_EQ(std::system(load.c_str()), 0);
        made = true;
    }

    // psql's answer, unaligned and without headers.
    std::string Sql(const std::string& sql, const std::string& database = "trevalco_prueba") {
        workbook::test::Spill(folder / "q.sql", sql);
        const std::string command = "psql -X -q -At -v ON_ERROR_STOP=1 -d " + database + " -f " + Quoted("q.sql") +
                                    " > " + Quoted("a.txt") + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << sql << "\n" << workbook::test::Slurp(folder / "a.txt");
        std::string answer = workbook::test::Slurp(folder / "a.txt");
        while (!answer.empty() && answer.back() == '\n') answer.pop_back();
        return answer;
    }

    std::string Layer(const std::string& arguments) { return "layer " + arguments + " --to sirgas"; }

    // The command in the background, as its own process.
    pid_t Start(const std::string& arguments) {
        const std::string command = std::string("exec '") + TREVALCO_CLI + "' " + Layer(arguments) + " >/dev/null 2>&1";
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }

    // Waits (10 s at most) until `sql` answers `answer`.
    void WaitFor(const std::string& sql, const std::string& answer) {
        for (int i = 0; i < 500 && Sql(sql) != answer; ++i) std::this_thread::sleep_for(20ms);
        ASSERT_EQ(Sql(sql), answer) << sql;
    }
    void WaitForCopy() {
        WaitFor("SELECT count(*) > 0 FROM pg_stat_activity WHERE application_name LIKE 'trevalco-cli%' AND "
                "query LIKE 'COPY %'", "t");
    }
    // No run's session left, nor its lock.
    void WaitForQuiet() {
        WaitFor("SELECT count(*) FROM pg_stat_activity WHERE application_name LIKE 'trevalco-cli%'", "0");
        EXPECT_EQ(Sql("SELECT count(*) FROM pg_locks WHERE locktype = 'advisory'"), "0");
    }
    std::string Count(const std::string& table) { return Sql("SELECT count(*) FROM " + table); }
};

struct RoundTrip {
    const char* what;
    const char* input;
    const char* output;   // a file of the test's folder, or the database
    const char* target;   // --target-layer, for the database
};

const RoundTrip kRoundTrips[] = {
    {"tabla a tabla", "", "", "vertices_sirgas"},
    {"tabla a GeoPackage", "", "out.gpkg", nullptr},
    {"GeoPackage a tabla de otro esquema", "in.gpkg", "", "otro.vertices_sirgas"},
};

TEST_F(PostgisTables, TablesAreReadConvertedAndWrittenWithTheCoreResults) {
    const ReadLayer source = Read(kDatabase, {"TABLES=vertices"});
    ASSERT_EQ(source.vertices.size(), 3U);
    for (const RoundTrip& trip : kRoundTrips) {
        SCOPED_TRACE(trip.what);
        const std::string input = *trip.input ? Quoted(trip.input) : kDatabase + " --source-layer vertices";
        const std::string output = *trip.output ? Quoted(trip.output) : kDatabase + " --target-layer " + trip.target;
        const cli::test::CliRun run = Cli(Layer(input + " " + output));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("EPSG:24879 a EPSG:20049"), std::string::npos) << run.err;
        const std::string table = trip.target == nullptr ? "" : std::string(trip.target);
        if (!table.empty()) {  // declared under its EPSG code
            const std::string written = (table.find('.') == std::string::npos ? "public." : "") + table;
            EXPECT_EQ(run.out, written + "\n");
            EXPECT_EQ(Sql("SELECT Find_SRID(split_part('" + written + "', '.', 1), split_part('" + written +
                          "', '.', 2), 'geom')"),
                      "20049");
        }
        const ReadLayer out = table.empty() ? Read(folder / trip.output) : Read(kDatabase, {"TABLES=" + table});
        EXPECT_EQ(out.code, 20049);
        ASSERT_EQ(out.vertices.size(), source.vertices.size());
        for (std::size_t f = 0; f < source.vertices.size(); ++f) {
            EXPECT_EQ(out.names[f], source.names[f]);
            ASSERT_EQ(out.vertices[f].size(), source.vertices[f].size());
            for (std::size_t v = 0; v < source.vertices[f].size(); ++v) {
                const core::Outcome core = ThroughCore(source.vertices[f][v], false);
                EXPECT_EQ(out.vertices[f][v].x, core.target.utm.easting);
                EXPECT_EQ(out.vertices[f][v].y, core.target.utm.northing);
            }
        }
    }
}

TEST_F(PostgisTables, AnExistingTableIsRefusedUnlessOverwrittenInTheSameTransaction) {
    const std::string arguments = kDatabase + " --source-layer vertices " + kDatabase + " --target-layer existente";
    ASSERT_EQ(Cli(Layer(arguments)).status, 0);
    Sql("DELETE FROM existente WHERE name = 'P1'");
    const cli::test::CliRun refused = Cli(Layer(arguments));
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("ya existe la tabla «public.existente»; use --overwrite"), std::string::npos)
        << refused.err;
    EXPECT_EQ(Count("existente"), "2");
    EXPECT_EQ(Cli(Layer(arguments + " --overwrite")).status, 0);
    EXPECT_EQ(Count("existente"), "3");
}

// Stopped mid-write, a new table never appears and a replaced one keeps its
// old rows; no session, transaction or lock is left, and the next run
// writes the table whole.
TEST_F(PostgisTables, InterruptedAndKilledWritesLeaveNoTable) {
    ASSERT_EQ(Cli(Layer(kDatabase + " --source-layer vertices " + kDatabase + " --target-layer vieja")).status, 0);
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        for (const std::string target : {"nueva", "vieja --overwrite"}) {
            SCOPED_TRACE(std::to_string(signal) + " " + target);
            const pid_t pid = Start(kDatabase + " --source-layer lenta " + kDatabase + " --target-layer " + target);
            WaitForCopy();
            ::kill(pid, signal);
            int status = 0;
            ::waitpid(pid, &status, 0);
            if (signal == SIGKILL) {
                EXPECT_TRUE(WIFSIGNALED(status));
            } else {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
            }
            EXPECT_EQ(Sql("SELECT to_regclass('nueva') IS NULL"), "t");
            EXPECT_EQ(Count("vieja"), "3");
            WaitForQuiet();
        }
    }
    EXPECT_EQ(Cli(Layer(kDatabase + " --source-layer grande " + kDatabase + " --target-layer nueva")).status, 0);
    EXPECT_EQ(Count("nueva"), std::to_string(kLargeTable));
}

TEST_F(PostgisTables, ASecondRunWritingTheSameTableIsRefused) {
    const pid_t first = Start(kDatabase + " --source-layer lenta " + kDatabase + " --target-layer doble");
    WaitForCopy();
    const cli::test::CliRun second =
        Cli(Layer(Quoted("in.gpkg") + " " + kDatabase + " --target-layer doble --overwrite"));
    EXPECT_EQ(second.status, 3);
    EXPECT_NE(second.err.find("otra conversión (trevalco-cli layer, proceso " + std::to_string(first) +
                              ") está escribiendo la tabla «public.doble»"),
              std::string::npos)
        << second.err;
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Count("doble"), std::to_string(kLargeTable));
}

struct Fault {
    const char* what;
    std::string arguments;
    int status;
    const char* message;
};

TEST_F(PostgisTables, FaultsAreNamedAndLeaveNothingBehind) {
    const std::string reader = "'PG:dbname=trevalco_prueba user=trevalco_lector password=lector'";
    const std::string source = kDatabase + " --source-layer ";
    const std::string gpkg = Quoted("in.gpkg") + " ";
    const Fault faults[] = {
        {"servidor que no responde", "'PG:dbname=x host=127.0.0.1 port=1' " + Quoted("out.gpkg"), 3,
         "no se pudo conectar con la base de datos «PG:dbname=x host=127.0.0.1 port=1»: "},
        {"base que no existe", gpkg + "PG:dbname=no_existe --target-layer t", 3,
         "database \"no_existe\" does not exist"},
        {"clave equivocada", "'PG:dbname=trevalco_prueba password=secreta' " + Quoted("out.gpkg"), 3,
         "«PG:dbname=trevalco_prueba password=***»: "},
        {"entrada sin PostGIS", "PG:dbname=trevalco_sin_postgis " + Quoted("out.gpkg"), 3,
         "la base de datos «PG:dbname=trevalco_sin_postgis» no tiene PostGIS"},
        {"salida sin PostGIS", gpkg + "PG:dbname=trevalco_sin_postgis --target-layer t", 3, "no tiene PostGIS"},
        {"tabla que no existe", source + "no_hay " + Quoted("out.gpkg"), 3, "no hay una tabla «no_hay»"},
        {"sin permiso de lectura", reader + " --source-layer vertices " + Quoted("out.gpkg"), 3,
         "este usuario no tiene permiso para leer la tabla «vertices»"},
        {"sin permiso de escritura", gpkg + reader + " --target-layer t", 3,
         "este usuario no puede crear tablas en el esquema «public»"},
        {"esquema que no existe", gpkg + kDatabase + " --target-layer nadie.t", 3, "no existe el esquema «nadie»"},
        {"columna sin SRID", source + "sin_srid " + Quoted("out.gpkg"), 2, "la capa no tiene sistema de referencia"},
        {"SRID de otro datum", source + "europa " + Quoted("out.gpkg"), 3, "no es de PSAD56, SAD69 ni SIRGAS"},
        {"salida PG sin tabla", gpkg + kDatabase, 2, "una salida PG: necesita --target-layer"},
        {"tabla en mayúsculas", gpkg + kDatabase + " --target-layer Vertices", 2, "--target-layer debe ser TABLA"},
        {"la entrada como salida", source + "vertices " + kDatabase + " --target-layer vertices --overwrite", 2,
         "la tabla de salida «public.vertices» es la de entrada"},
    };
    const std::string tables =
        "SELECT string_agg(oid::regclass::text, ',' ORDER BY oid) FROM pg_class WHERE relkind = 'r'";
    const std::string before = Sql(tables);
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        const cli::test::CliRun run = Cli(Layer(fault.arguments));
        EXPECT_EQ(run.status, fault.status) << run.err;
        EXPECT_NE(run.err.find(fault.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("secreta"), std::string::npos) << run.err;
        EXPECT_EQ(folder.Files(), (std::vector<std::string>{"a.txt", "in.gpkg", "q.sql"}));
    }
    EXPECT_EQ(Sql(tables), before);
    WaitForQuiet();
}

}  // namespace
}  // namespace trevalco::layers::test
