// The workbook's costs on large sheets, measured as a batch run meets them:
// make an .xlsx of N rows x 10 numeric columns, open it, read every cell,
// write six text cells per row, save it as a new file, then save once more
// (what each interim save costs). Each size runs in a child process of its
// own so that its peak memory is its own.
//
//   workbook_benchmark [ROWS ...]     (default: 100000 1048576)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Workbook.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Streams the sheet part row by row, so making a million rows costs no memory.
struct SheetMaker {
    long rows = 0;
    long next = 0;
    bool opened = false;
    std::string pending;
    std::size_t at = 0;
    zip_error_t error{};

    void Refill() {
        pending.clear();
        at = 0;
        if (next == 0) {
            pending = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                      "<dimension ref=\"A1:J" + std::to_string(rows) + "\"/><sheetData>";
        }
        char cell[64];
        for (int batch = 0; batch < 256 && next < rows; ++batch) {
            ++next;
            pending += "<row r=\"" + std::to_string(next) + "\" spans=\"1:10\">";
            for (int column = 0; column < 10; ++column) {
                const double value = column % 2 == 0 ? 17.0 + (next % 39000) * 0.001 + column * 1e-7
                                                     : 66.0 + (next % 11000) * 0.001 + column * 1e-7;
                std::snprintf(cell, sizeof cell, "<c r=\"%c%ld\"><v>%.10g</v></c>", 'A' + column, next, value);
                pending += cell;
            }
            pending += "</row>";
        }
        if (next == rows && !pending.empty() && pending.find("</worksheet>") == std::string::npos) {
            pending += "</sheetData></worksheet>";
            ++next;  // done
        }
    }
};

zip_int64_t MakeSheet(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& maker = *static_cast<SheetMaker*>(state);
    switch (command) {
        case ZIP_SOURCE_OPEN:
            maker.next = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            if (maker.at == maker.pending.size()) {
                if (maker.next > maker.rows) return 0;
                maker.Refill();
            }
            const std::size_t count = std::min<std::size_t>(length, maker.pending.size() - maker.at);
            maker.pending.copy(static_cast<char*>(data), count, maker.at);
            maker.at += count;
            return static_cast<zip_int64_t>(count);
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT:
            zip_stat_init(static_cast<zip_stat_t*>(data));
            return sizeof(zip_stat_t);
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&maker.error, data, length);
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                                  ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return -1;
    }
}

void AddText(zip_t* archive, const char* name, const std::string& text) {
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    zip_file_add(archive, name, source, 0);
}

void MakeWorkbook(const fs::path& path, long rows) {
    const std::string rels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string types =
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "</Types>";
    const std::string root = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                             "<Relationship Id=\"rId1\" Type=\"" + rels + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const std::string workbook = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
                                 rels + "\"><sheets><sheet name=\"Puntos\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const std::string links = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                              "<Relationship Id=\"rId1\" Type=\"" + rels + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    fs::remove(path);
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (archive == nullptr) std::exit(1);
    AddText(archive, "[Content_Types].xml", types);
    AddText(archive, "_rels/.rels", root);
    AddText(archive, "xl/workbook.xml", workbook);
    AddText(archive, "xl/_rels/workbook.xml.rels", links);
    SheetMaker maker;
    maker.rows = rows;
    zip_error_init(&maker.error);
    zip_file_add(archive, "xl/worksheets/sheet1.xml", zip_source_function(archive, MakeSheet, &maker), 0);
    if (zip_close(archive) != 0) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        std::exit(1);
    }
    zip_error_fini(&maker.error);
}

// The measured run, in the child.
int Measure(const fs::path& path, long rows) {
    using namespace trevalco;
    const auto start = Clock::now();
    workbook::Workbook book = workbook::Workbook::Open(path);
    workbook::Worksheet& sheet = book.Sheet("Puntos");
    double sum = 0;
    long empty = 0;
    for (std::int32_t row = 1; row <= rows; ++row) {
        for (std::int32_t column = 1; column <= 10; ++column) {
            const cells::CellValue value = sheet.Cell(row, column);
            if (const double* number = std::get_if<double>(&value)) sum += *number;
            else ++empty;
        }
    }
    const auto read = Clock::now();
    char text[32];
    static const char* const kColumns[] = {"K", "L", "M", "N", "O", "P"};
    for (std::int32_t row = 1; row <= rows; ++row) {
        for (int i = 0; i < 6; ++i) {
            std::snprintf(text, sizeof text, "%.3f", 6297606.833 + row + i * 0.001);
            sheet.Write(row, kColumns[i], text);
        }
    }
    const fs::path written = book.SaveAs(path.parent_path() / (path.stem().string() + "_1"));
    const auto saved = Clock::now();
    book.Save();
    const auto again = Clock::now();
    std::printf("%8ld rows: open+read %.2f s, write+save as %.2f s, one more save %.2f s "
                "(sum %.1f, %ld non-numbers, output %.1f MB)\n",
                rows, Seconds(start, read), Seconds(read, saved), Seconds(saved, again), sum, empty,
                static_cast<double>(fs::file_size(written)) / 1e6);
    std::fflush(stdout);
    return empty == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atol(argv[i]));
    if (sizes.empty()) sizes = {100000, 1048576};
    const fs::path folder = fs::temp_directory_path() / ("trevalco-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    int failures = 0;
    for (const long rows : sizes) {
        const fs::path path = folder / ("puntos" + std::to_string(rows) + ".xlsx");
        const auto start = Clock::now();
        MakeWorkbook(path, rows);
        std::printf("made %s (%.1f MB) in %.1f s\n", path.filename().c_str(),
                    static_cast<double>(fs::file_size(path)) / 1e6, Seconds(start, Clock::now()));
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child == 0) {
            int status = 1;
            try {
                status = Measure(path, rows);
            } catch (const std::exception& error) {
                std::fprintf(stderr, "%s\n", error.what());
            }
            std::_Exit(status);
        }
        int status = 0;
        struct rusage usage {};
        ::wait4(child, &status, 0, &usage);
        std::printf("%8ld rows: peak memory %.0f MB\n", rows, static_cast<double>(usage.ru_maxrss) / 1024.0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
    }
    fs::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
