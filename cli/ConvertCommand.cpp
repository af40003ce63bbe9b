#include "ConvertCommand.h"

#include <algorithm>
#include <string>
#include <thread>

#include "CommandRun.h"
#include "ConvertPipeline.h"
#include "ConvertSettings.h"
#include "HelpText.h"

namespace trevalco::cli {

namespace {

const HelpPage kConvertPage{
    .command = "convert",
    .synopsis = "[--direction] [--from]\n"
                "[--zone] [--force-zone] [--delimiter]\n"
                "[--decimal-comma] [--skip-fields] [--skip-lines]\n"
                "[--shifts]",
    .about =
        "Convierte puntos leídos de la entrada estándar, uno por línea, con campos\n"
        "separados por blancos o tabuladores y \".\" como separador decimal:\n"
        "  dd   LAT LON                          (grados decimales, positivos: sur y oeste)\n"
        "  dms  LATD LATM LATS LOND LONM LONS    (grados, minutos y segundos)\n"
        "  utm  NORTE ESTE [ZONA]                (en el datum de origen)\n"
        "Un archivo .csv o .txt de una planilla se lee con --delimiter y, si sus\n"
        "números llevan coma decimal, --decimal-comma.\n",
    .column = 15,
    .after =
        "Escribe en la salida estándar una línea por línea leída, con diez campos:\n"
        "latitud y longitud de origen (diez decimales), norte y este de origen (tres\n"
        "decimales), zona de origen, y lo mismo en el datum de destino. Sin\n"
        "--delimiter ni --decimal-comma van separados por tabuladores y con \".\" como\n"
        "separador decimal; con ellos, la salida usa el mismo separador de campos y\n"
        "el mismo separador decimal que la entrada, de modo que los campos escritos y\n"
        "los que pasan sin cambios se leen igual en cada línea.\n"
        "Lo que sigue a las coordenadas en la línea (una cota, un código) pasa sin\n"
        "cambios detrás de los diez campos, como hace cs2cs; con --skip-fields, los\n"
        "campos saltados van delante, tal como estaban.\n"
        "Una línea en blanco da una línea en blanco. Un campo que no se pudo calcular\n"
        "vale \"*\" y la razón, con lo que se puede hacer, se escribe en la salida de\n"
        "errores; los campos que pasan sin cambios se conservan también en esas líneas.\n"
        "\n"
        "Ejemplo: puntos con encabezado, nombre, latitud, longitud y cota, separados\n"
        "por ';' y con coma decimal:\n"
        "  trevalco-cli convert --direction SIRGAS_SAD69 --delimiter ';' --decimal-comma \\\n"
        "      --skip-fields 1 --skip-lines 1 < puntos.csv\n"
        "\n"
        "Estado de salida: 0 si se convirtieron todos los puntos, 1 si alguno no,\n"
        "2 si los argumentos no son válidos, 3 si falla la lectura o la escritura.\n"};

int Convert(const ConvertSettings& settings, std::FILE* in, std::FILE* out, std::FILE* err) {
    const LineConverter converter(settings);
    ConvertPipeline pipeline(converter, std::max(1U, std::thread::hardware_concurrency()), settings.skipLines);
    const PipelineResult result = pipeline.Run(in, out, err);
    if (!OutputWritten(out, err, !result.writeFailed)) return kExitFileError;
    if (result.readFailed) {
        std::fputs("trevalco-cli: no se pudo leer la entrada\n", err);
        return kExitFileError;
    }
    return result.allConverted ? kExitOk : kExitSomeNotConverted;
}

}  // namespace

int RunConvert(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    return RunCommand(
        kConvertPage.command, [] { return HelpText(kConvertPage, ConvertOptions); }, ParseConvertArguments(argc, argv),
        out, err, [&](const ConvertSettings& settings) { return Convert(settings, in, out, err); });
}

}  // namespace trevalco::cli
