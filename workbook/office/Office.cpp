#include "Office.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

std::string FileUrl(const std::filesystem::path& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : std::filesystem::absolute(path).string()) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            std::string_view("/._-~").find(static_cast<char>(c)) != std::string_view::npos) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

std::string LastWords(const std::filesystem::path& log) {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    std::string words = text.str();
    while (!words.empty() && (words.back() == '\n' || words.back() == ' ')) words.pop_back();
    if (words.size() > 300) words = "…" + words.substr(words.size() - 300);
    return words;
}

}  // namespace

std::optional<std::filesystem::path> FindOffice() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return std::nullopt;
    for (const char* name : {"soffice", "libreoffice"}) {
        std::string_view rest = path;
        while (true) {
            const std::size_t colon = rest.find(':');
            const std::filesystem::path folder(std::string(rest.substr(0, colon)));
            if (!folder.empty()) {
                const std::filesystem::path candidate = folder / name;
                if (::access(candidate.c_str(), X_OK) == 0) return candidate;
            }
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    return std::nullopt;
}

std::string_view OfficeFilterFor(std::string_view extension) {
    if (extension == "xlsx") return "xlsx:Calc MS Excel 2007 XML";
    if (extension == "xls") return "xls:MS Excel 97";
    if (extension == "ods") return "ods:calc8";
    return {};
}

std::filesystem::path ConvertWithOffice(const std::filesystem::path& program, const std::filesystem::path& input,
                                        std::string_view extension, const std::filesystem::path& workFolder,
                                        std::chrono::seconds limit, const std::function<bool()>& stop) {
    // Each call its own profile and output folder inside the caller's folder.
    unsigned number = 0;
    while (std::filesystem::exists(workFolder / ("salida-" + std::to_string(number)))) ++number;
    const std::string tag = std::to_string(number);
    const std::filesystem::path profile = workFolder / ("perfil-" + tag);
    const std::filesystem::path output = workFolder / ("salida-" + tag);
    const std::filesystem::path scratch = workFolder / ("temporales-" + tag);
    std::filesystem::create_directories(output);
    std::filesystem::create_directories(scratch);

    const std::vector<std::string> arguments = {
        "--headless", "--invisible", "--nologo", "--nodefault", "--norestore", "--nolockcheck",
        "-env:UserInstallation=" + FileUrl(profile),
        "--convert-to", std::string(OfficeFilterFor(extension)),
        "--outdir", output.string(),
        input.string(),
    };
    const std::filesystem::path log = workFolder / ("registro-" + tag + ".txt");
    int status = 0;
    bool timedOut = false;
    bool stopped = false;
    {
        ChildProcess office(program, arguments, log, {"TMPDIR=" + scratch.string()});
        status = office.Wait(std::chrono::duration_cast<std::chrono::milliseconds>(limit), stop);
        timedOut = office.TimedOut();
        stopped = office.Stopped();
    }
    std::error_code ignored;
    std::filesystem::remove_all(profile, ignored);
    std::filesystem::remove_all(scratch, ignored);
    if (stopped) throw Interrupted();
    if (timedOut)
        throw WorkbookError("LibreOffice no terminó la conversión en " + std::to_string(limit.count()) +
                            " segundos y se detuvo");
    const std::filesystem::path converted = output / (input.stem().string() + "." + std::string(extension));
    if (status != 0 || !std::filesystem::exists(converted)) {
        const std::string words = LastWords(log);
        throw WorkbookError("LibreOffice no pudo convertir el libro" + (words.empty() ? "" : " (" + words + ")"));
    }
    return converted;
}

}  // namespace trevalco::workbook
