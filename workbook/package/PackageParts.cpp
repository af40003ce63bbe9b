#include "PackageParts.h"

#include <algorithm>
#include <map>

#include "WorkbookError.h"
#include "XmlParser.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

namespace {

struct Relationship {
    std::string type;
    std::string target;
    bool external = false;
};

class RelationshipsHandler final : public XmlHandler {
public:
    std::map<std::string, Relationship> byId;

    void OnStart(const char* name, const char** attributes) override {
        if (LocalName(name) != "Relationship") return;
        const char* id = FindAttribute(attributes, "Id");
        const char* type = FindAttribute(attributes, "Type");
        const char* target = FindAttribute(attributes, "Target");
        const char* mode = FindAttribute(attributes, "TargetMode");
        if (id == nullptr || type == nullptr || target == nullptr) return;
        byId.emplace(id, Relationship{type, target, mode != nullptr && std::string_view(mode) == "External"});
    }
    void OnEnd(const char*) override {}
};

struct SheetReference {
    std::string name;
    std::string relationshipId;
};

class WorkbookHandler final : public XmlHandler {
public:
    std::vector<SheetReference> sheets;
    bool sawWorkbook = false;

    void OnStart(const char* name, const char** attributes) override {
        const std::string_view local = LocalName(name);
        if (local == "workbook") sawWorkbook = true;
        if (local != "sheet") return;
        SheetReference sheet;
        for (const char** at = attributes; *at != nullptr; at += 2) {
            const std::string_view attribute = *at;
            if (attribute == "name") sheet.name = at[1];
            else if (LocalName(*at) == "id" && attribute.find(':') != std::string_view::npos)
                sheet.relationshipId = at[1];
        }
        sheets.push_back(std::move(sheet));
    }
    void OnEnd(const char*) override {}
};

std::string Require(const ZipArchive& archive, std::string_view part) {
    const auto index = archive.Find(part);
    if (!index) throw WorkbookError("falta la parte " + std::string(part) + " del paquete");
    return archive.ReadSmall(*index);
}

std::map<std::string, Relationship> ReadRelationships(const ZipArchive& archive, const std::string& part) {
    RelationshipsHandler handler;
    XmlParser parser(handler, part);
    parser.Parse(Require(archive, part));
    return std::move(handler.byId);
}

}  // namespace

std::string RelationshipsPartOf(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? "" : part.substr(0, slash + 1);
    const std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::optional<std::string> ResolveTarget(std::string_view sourcePart, std::string_view target) {
    std::vector<std::string> segments;
    std::string_view rest = target;
    if (!rest.empty() && rest.front() == '/') {
        rest.remove_prefix(1);
    } else {
        std::string_view folder = sourcePart.substr(0, sourcePart.rfind('/') + 1);
        if (sourcePart.rfind('/') == std::string_view::npos) folder = {};
        while (!folder.empty()) {
            const std::size_t slash = folder.find('/');
            if (slash > 0) segments.emplace_back(folder.substr(0, slash));
            folder.remove_prefix(slash + 1);
        }
    }
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        if (segment == "..") {
            if (segments.empty()) return std::nullopt;
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.emplace_back(segment);
        }
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    if (segments.empty()) return std::nullopt;
    std::string resolved;
    for (const std::string& segment : segments) {
        if (!resolved.empty()) resolved += '/';
        resolved += segment;
    }
    return resolved;
}

bool IsRelationshipType(std::string_view type, std::string_view kind) {
    return type.size() > kind.size() && type.ends_with(kind) && type[type.size() - kind.size() - 1] == '/';
}

bool SamePartName(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y)); });
}

PackageParts ReadPackageParts(const ZipArchive& archive) {
    if (!archive.Find("[Content_Types].xml"))
        throw WorkbookError("falta la parte [Content_Types].xml: no es un libro .xlsx");

    PackageParts parts;
    for (const auto& [id, relationship] : ReadRelationships(archive, "_rels/.rels")) {
        if (!relationship.external && IsRelationshipType(relationship.type, "officeDocument")) {
            if (auto part = ResolveTarget("", relationship.target)) parts.workbookPart = *part;
        }
    }
    if (parts.workbookPart.empty())
        throw WorkbookError("el paquete no indica cuál es su libro (falta la relación officeDocument)");

    WorkbookHandler workbook;
    {
        XmlParser parser(workbook, parts.workbookPart);
        parser.Parse(Require(archive, parts.workbookPart));
    }
    if (!workbook.sawWorkbook) throw WorkbookError("la parte " + parts.workbookPart + " no es un libro");

    parts.workbookRelationshipsPart = RelationshipsPartOf(parts.workbookPart);
    const auto relationships = ReadRelationships(archive, parts.workbookRelationshipsPart);
    for (const auto& [id, relationship] : relationships) {
        if (relationship.external) continue;
        if (IsRelationshipType(relationship.type, "sharedStrings"))
            parts.sharedStringsPart = ResolveTarget(parts.workbookPart, relationship.target);
        else if (IsRelationshipType(relationship.type, "calcChain"))
            parts.calcChainPart = ResolveTarget(parts.workbookPart, relationship.target);
        else if (IsRelationshipType(relationship.type, "styles"))
            parts.stylesPart = ResolveTarget(parts.workbookPart, relationship.target);
    }
    if (parts.sharedStringsPart && !archive.Find(*parts.sharedStringsPart))
        throw WorkbookError("falta la parte " + *parts.sharedStringsPart + " (textos compartidos)");

    std::size_t tab = 0;
    for (const SheetReference& sheet : workbook.sheets) {
        ++tab;
        const auto found = relationships.find(sheet.relationshipId);
        if (found == relationships.end())
            throw WorkbookError("la hoja «" + sheet.name + "» no tiene relación en " +
                                parts.workbookRelationshipsPart);
        // Chart sheets, dialog sheets and macro sheets are not worksheets.
        if (!IsRelationshipType(found->second.type, "worksheet") || found->second.external) continue;
        auto part = ResolveTarget(parts.workbookPart, found->second.target);
        if (!part || !archive.Find(*part))
            throw WorkbookError("falta la parte de la hoja «" + sheet.name + "» (" + found->second.target + ")");
        parts.sheets.push_back(SheetEntry{sheet.name, std::move(*part), tab - 1});
    }
    return parts;
}

}  // namespace trevalco::workbook
