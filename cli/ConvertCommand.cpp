#include "ConvertCommand.h"

#include <algorithm>
#include <thread>

#include "ConvertSettings.h"
#include "ConvertPipeline.h"

namespace trevalco::cli {

const char* const kConvertHelp =
    "Uso: trevalco-cli convert [--direction DIRECCIÓN] [--from dd|dms|utm]\n"
    "                          [--zone N] [--force-zone N] [--delimiter ';'|','|tab]\n"
    "                          [--decimal-comma] [--skip-fields N] [--skip-lines N]\n"
    "                          [--shifts seed|epsg]\n"
    "\n"
    "Convierte puntos leídos de la entrada estándar, uno por línea, con campos\n"
    "separados por blancos o tabuladores y \".\" como separador decimal:\n"
    "  dd   LAT LON                          (grados decimales, positivos: sur y oeste)\n"
    "  dms  LATD LATM LATS LOND LONM LONS    (grados, minutos y segundos)\n"
    "  utm  NORTE ESTE [ZONA]                (en el datum de origen)\n"
    "Un archivo .csv o .txt de una planilla se lee con --delimiter y, si sus\n"
    "números llevan coma decimal, --decimal-comma.\n"
    "\n"
    "Opciones:\n"
    "  --direction DIRECCIÓN  SIRGAS_PSAD56, SIRGAS_SAD69, PSAD56_SIRGAS o SAD69_SIRGAS,\n"
    "               en mayúsculas o minúsculas; por omisión SIRGAS_PSAD56\n"
    "  --from       notación de entrada: dd, dms o utm; por omisión dd\n"
    "  --zone N     zona de las líneas UTM que no traen la suya (1 a 60); sin ella,\n"
    "               una línea UTM debe traer su zona; con ella, un tercer campo es\n"
    "               la zona de la línea solo si es un entero de 1 a 60, y si no pasa\n"
    "               sin cambios\n"
    "  --force-zone N  fuerza la zona de las proyecciones: 12, 13, 16, 17, 18, 19, 20, 21 o 22\n"
    "  --delimiter  los campos van separados por un solo ';', ',' o tab (tabulador),\n"
    "               con comillas como en un archivo CSV, en vez de por blancos\n"
    "  --decimal-comma  los números se leen y se escriben con \",\" como separador\n"
    "               decimal (no con --delimiter ',')\n"
    "  --skip-fields N  los N primeros campos (el nombre del punto) no se leen y se\n"
    "               copian delante de los diez campos de salida; por omisión 0\n"
    "  --skip-lines N  las N primeras líneas (un encabezado) pasan sin cambios;\n"
    "               por omisión 0\n"
    "  --shifts     seed: las bandas del programa (por omisión); epsg: las\n"
    "               transformaciones publicadas por EPSG para Chile\n"
    "  --help       muestra esta ayuda\n"
    "\n"
    "Escribe en la salida estándar una línea por línea leída, con diez campos:\n"
    "latitud y longitud de origen (diez decimales), norte y este de origen (tres\n"
    "decimales), zona de origen, y lo mismo en el datum de destino. Sin\n"
    "--delimiter ni --decimal-comma van separados por tabuladores y con \".\" como\n"
    "separador decimal; con ellos, la salida usa el mismo separador de campos y\n"
    "el mismo separador decimal que la entrada, así una línea nunca mezcla dos.\n"
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
    "2 si los argumentos no son válidos, 3 si falla la lectura o la escritura.\n";

int RunConvert(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    const ParsedConvertArguments parsed = ParseConvertArguments(argc, argv);
    if (parsed.help) {
        std::fputs(kConvertHelp, out);
        return std::fflush(out) == 0 ? kExitOk : kExitFileError;
    }
    if (!parsed.settings) {
        std::fprintf(err, "trevalco-cli convert: %s\n\n%s", parsed.error.c_str(), kConvertHelp);
        return kExitUsage;
    }

    const LineConverter converter(*parsed.settings);
    ConvertPipeline pipeline(converter, std::max(1U, std::thread::hardware_concurrency()), parsed.settings->skipLines);
    const PipelineResult result = pipeline.Run(in, out, err);
    if (result.writeFailed || std::fflush(out) != 0 || std::ferror(out)) {
        std::fputs("trevalco-cli: no se pudo escribir la salida\n", err);
        return kExitFileError;
    }
    if (result.readFailed) {
        std::fputs("trevalco-cli: no se pudo leer la entrada\n", err);
        return kExitFileError;
    }
    return result.allConverted ? kExitOk : kExitSomeNotConverted;
}

}  // namespace trevalco::cli
