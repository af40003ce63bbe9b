#include "SavePlan.h"

#include <algorithm>
#include <string>
#include <vector>

#include "PartFilter.h"
#include "PartSource.h"
#include "PrefetchSource.h"
#include "SheetWriter.h"
#include "WorkbookError.h"
#include "WorkbookPart.h"
#include "XmlParser.h"
#include "XmlText.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

namespace {

// Whether a sheet part marks one of its views as a selected tab (sheet views
// come near the start of the part).
bool MarksSelectedTab(const ZipArchive& archive, std::uint64_t index) {
    EntrySource source(archive, index);
    std::string head(1 << 16, '\0');
    head.resize(source.Read(head.data(), head.size()));
    return head.find("tabSelected") != std::string::npos;
}

// Whether a part's text holds any of these names (as XML text): a formula on
// another sheet reading the written ones names them.
bool MentionsAny(const ZipArchive& archive, std::uint64_t index, const std::vector<std::string>& names) {
    if (names.empty()) return false;
    std::size_t longest = 0;
    for (const std::string& name : names) longest = std::max(longest, name.size());
    EntrySource source(archive, index);
    std::string window;
    char buffer[1 << 16];
    for (std::size_t got; (got = source.Read(buffer, sizeof buffer)) > 0;) {
        window.append(buffer, got);
        for (const std::string& name : names)
            if (window.find(name) != std::string::npos) return true;
        window.erase(0, window.size() - std::min(window.size(), longest));
    }
    return false;
}

// The names of the written sheets as formulas elsewhere spell them.
std::vector<std::string> WrittenNames(const LoadedSheets& sheets) {
    std::vector<std::string> names;
    for (const auto& [position, sheet] : sheets) {
        if (!sheet->Changed()) continue;
        std::string escaped;
        AppendEscaped(escaped, sheet->Name());
        names.push_back(escaped);
    }
    return names;
}

const WrittenCells kNothingWritten;

class PartsPlanner {
public:
    PartsPlanner(const ZipArchive& archive, const PackageParts& parts, const LoadedSheets& sheets,
                 std::optional<std::size_t> activeSheet)
        : archive_(archive), parts_(parts), sheets_(sheets), activeSheet_(activeSheet) {}

    PartChanges Plan() && {
        ReadStyles();
        const std::vector<std::string> writtenNames = WrittenNames(sheets_);
        for (std::size_t position = 0; position < parts_.sheets.size(); ++position) PlanSheet(position, writtenNames);
        if (plan_.styles) PlanStyles();
        if (changed_ || activeSheet_) PlanWorkbookPart();
        // A formula replaced by a text must not stay in the calculation chain,
        // or Excel reports the file as damaged; the chain is optional and
        // Excel rebuilds it.
        if (dropCalcChain_ && parts_.calcChainPart) DropCalcChain();
        return std::move(plan_);
    }

private:
    void ReadStyles() {
        if (!parts_.stylesPart) return;
        if (const auto index = archive_.Find(*parts_.stylesPart))
            plan_.styles = std::make_unique<CellStyles>(archive_.ReadSmall(*index), *parts_.stylesPart);
    }

    void PlanSheet(std::size_t position, const std::vector<std::string>& writtenNames) {
        const auto loaded = sheets_.find(position);
        const Worksheet* written = loaded == sheets_.end() || !loaded->second->Changed() ? nullptr : loaded->second.get();
        const std::string& part = parts_.sheets[position].part;
        const auto index = archive_.Find(part);
        if (!index) throw WorkbookError("falta la parte " + part);
        std::optional<bool> selected;
        if (activeSheet_) selected = *activeSheet_ == position;
        // Formulas of other sheets that read written cells lose their
        // cached results too, so that they are calculated on opening.
        const bool reads = written == nullptr && MentionsAny(archive_, *index, writtenNames);
        if (written == nullptr && !reads && !(selected == true) &&
            !(selected == false && MarksSelectedTab(archive_, *index)))
            return;
        SheetWriter::Options options{written ? written->UsedRange() : std::string(), plan_.styles.get(), selected, reads,
                                     written ? written->Rows() : RowsLayout()};
        plan_.changes.replaced[archive_.EntryName(*index)] = [&archive = archive_, written, index = *index, options, part] {
            // Inflating the original overlaps with rewriting it.
            return std::make_unique<SheetWriter>(std::make_unique<PrefetchSource>(std::make_unique<EntrySource>(archive, index)),
                                                 written ? written->Written() : kNothingWritten, options, part);
        };
        if (written == nullptr) return;
        changed_ = true;
        dropCalcChain_ = dropCalcChain_ || written->OverwroteFormula();
    }

    void PlanStyles() {
        const std::string name = archive_.EntryName(*archive_.Find(*parts_.stylesPart));
        plan_.changes.replaced[name] = [styles = plan_.styles.get()] { return std::make_unique<TextSource>(styles->Rewritten()); };
        plan_.changes.last.push_back(name);
    }

    void PlanWorkbookPart() {
        std::optional<std::size_t> tab;
        if (activeSheet_) tab = parts_.sheets[*activeSheet_].tab;
        if (const auto index = archive_.Find(parts_.workbookPart)) {
            std::string rewritten = RewriteWorkbookPart(archive_.ReadSmall(*index), parts_.workbookPart, tab, changed_);
            plan_.changes.replaced[archive_.EntryName(*index)] = [rewritten] { return std::make_unique<TextSource>(rewritten); };
        }
    }

    // Drops the chain's part, its content type and its relationship.
    void DropCalcChain() {
        const std::string chain = *parts_.calcChainPart;
        if (const auto index = archive_.Find(chain)) plan_.changes.dropped.insert(archive_.EntryName(*index));
        if (const auto types = archive_.Find("[Content_Types].xml")) {
            std::string kept = DropEntries(archive_.ReadSmall(*types), "[Content_Types].xml",
                                           [&](std::string_view local, const char** attributes) {
                                               const char* name = FindAttribute(attributes, "PartName");
                                               return local == "Override" && name != nullptr &&
                                                      SamePartName(name, "/" + chain);
                                           });
            plan_.changes.replaced[archive_.EntryName(*types)] = [kept] { return std::make_unique<TextSource>(kept); };
        }
        const std::string& relationshipsPart = parts_.workbookRelationshipsPart;
        if (const auto rels = archive_.Find(relationshipsPart)) {
            std::string kept = DropEntries(archive_.ReadSmall(*rels), relationshipsPart,
                                           [](std::string_view local, const char** attributes) {
                                               const char* type = FindAttribute(attributes, "Type");
                                               return local == "Relationship" && type != nullptr &&
                                                      IsRelationshipType(type, "calcChain");
                                           });
            plan_.changes.replaced[archive_.EntryName(*rels)] = [kept] { return std::make_unique<TextSource>(kept); };
        }
    }

    const ZipArchive& archive_;
    const PackageParts& parts_;
    const LoadedSheets& sheets_;
    std::optional<std::size_t> activeSheet_;
    PartChanges plan_;
    bool changed_ = false;
    bool dropCalcChain_ = false;
};

}  // namespace

PartChanges PlanParts(const ZipArchive& archive, const PackageParts& parts, const LoadedSheets& sheets,
                      std::optional<std::size_t> activeSheet) {
    return PartsPlanner(archive, parts, sheets, activeSheet).Plan();
}

}  // namespace trevalco::workbook
