#include "TestBooks.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Office.h"

namespace trevalco::workbook::test {

TestFolder::TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "trevalco-workbook-" + std::to_string(::getpid());
    if (info != nullptr) name += std::string("-") + info->test_suite_name() + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    path_ = fs::temp_directory_path() / name;
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TestFolder::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteZip(const fs::path& path, const std::vector<std::pair<std::string, std::string>>& entries, bool stored) {
    fs::remove(path);
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (archive == nullptr) throw std::runtime_error("zip_open failed");
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) throw std::runtime_error("zip_file_add failed");
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    // The buffers above must live until the archive is closed: they do, as
    // `entries` outlives this call.
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("zip_close failed");
    }
}

std::map<std::string, std::string> ReadZip(const fs::path& path) {
    std::map<std::string, std::string> entries;
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (archive == nullptr) throw std::runtime_error("not a zip: " + path.string());
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string content(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        const zip_int64_t got = zip_fread(file, content.data(), content.size());
        zip_fclose(file);
        content.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        entries[stat.name] = std::move(content);
    }
    zip_discard(archive);
    return entries;
}

namespace {

const char* const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string Type(const std::string& kind) { return std::string(kRelationships) + "/" + kind; }

const char* const kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts>"
    "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"3\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

}  // namespace

std::vector<std::pair<std::string, std::string>> BookParts(const BookLayout& layout) {
    std::string types = std::string(kHeader) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    std::string workbook = std::string(kHeader) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships +
                           "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
    std::string rels = std::string(kHeader) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rIdStyles\" Type=\"" + Type("styles") + "\" Target=\"styles.xml\"/>";
    std::vector<std::pair<std::string, std::string>> sheetParts;
    int number = 0;
    for (const SheetLayout& sheet : layout.sheets) {
        ++number;
        const std::string folder = sheet.chart ? "chartsheets" : "worksheets";
        const std::string part = folder + "/sheet" + std::to_string(number) + ".xml";
        const std::string id = "rId" + std::to_string(number);
        workbook += "<sheet name=\"" + sheet.name + "\" sheetId=\"" + std::to_string(number) + "\" r:id=\"" + id + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + Type(sheet.chart ? "chartsheet" : "worksheet") +
                "\" Target=\"" + part + "\"/>";
        types += "<Override PartName=\"/xl/" + part + "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml." +
                 (sheet.chart ? "chartsheet" : "worksheet") + "+xml\"/>";
        sheetParts.emplace_back("xl/" + part, sheet.xml);
    }
    workbook += "</sheets></workbook>";
    if (layout.sharedStrings) {
        rels += "<Relationship Id=\"rIdStrings\" Type=\"" + Type("sharedStrings") + "\" Target=\"sharedStrings.xml\"/>";
        types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    }
    if (layout.calcChain) {
        rels += "<Relationship Id=\"rIdChain\" Type=\"" + Type("calcChain") + "\" Target=\"calcChain.xml\"/>";
        types += "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
    }
    rels += "</Relationships>";
    types += "</Types>";

    std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml", types},
        {"_rels/.rels", std::string(kHeader) +
                            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"rId1\" Type=\"" + Type("officeDocument") +
                            "\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", workbook},
        {"xl/_rels/workbook.xml.rels", rels},
        {"xl/styles.xml", std::string(kHeader) + kStyles},
    };
    parts.insert(parts.end(), sheetParts.begin(), sheetParts.end());
    if (layout.sharedStrings) parts.emplace_back("xl/sharedStrings.xml", *layout.sharedStrings);
    if (layout.calcChain) parts.emplace_back("xl/calcChain.xml", *layout.calcChain);
    return parts;
}

void WriteBook(const fs::path& path, const BookLayout& layout) { WriteZip(path, BookParts(layout)); }

std::string SheetXml(const std::string& rows, const std::string& beforeSheetData, const std::string& afterSheetData) {
    return std::string(kHeader) + "<worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships + "\">" +
           beforeSheetData + "<sheetData>" + rows + "</sheetData>" + afterSheetData + "</worksheet>";
}

std::string SharedStringsXml(const std::vector<std::string>& texts) {
    std::string xml = std::string(kHeader) + "<sst xmlns=\"" + kMain + "\" count=\"" + std::to_string(texts.size()) +
                      "\" uniqueCount=\"" + std::to_string(texts.size()) + "\">";
    for (const std::string& text : texts) xml += "<si><t>" + text + "</t></si>";
    return xml + "</sst>";
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void Spill(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::optional<fs::path> Office() { return FindOffice(); }

fs::path OfficeConvert(const fs::path& input, const std::string& filter, const fs::path& work) {
    const std::string extension = filter.substr(0, filter.find(':'));
    const fs::path out = work / ("convertido-" + extension);
    fs::create_directories(out);
    const std::string command = "'" + Office()->string() + "' --headless --norestore -env:UserInstallation=file://" +
                                (work / "perfil-prueba").string() + " --convert-to '" + filter + "' --outdir '" +
                                out.string() + "' '" + input.string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("LibreOffice failed: " + command);
    fs::path made = out / (input.stem().string() + "." + extension);
    // One sheet chosen by the CSV filter's options comes out as "<stem>-<sheet>.csv".
    for (const auto& entry : fs::directory_iterator(out))
        if (!fs::exists(made) && entry.is_regular_file()) made = entry.path();
    if (!fs::exists(made)) throw std::runtime_error("LibreOffice made nothing: " + command);
    return made;
}

}  // namespace trevalco::workbook::test
