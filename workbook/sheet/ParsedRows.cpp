#include "ParsedRows.h"

#include <cstring>

#include "FormulaShift.h"
#include "XmlText.h"

namespace trevalco::workbook {

std::optional<std::string_view> ParsedAttribute(const char** attributes, std::string_view name) {
    const char* value = FindAttribute(attributes, name);
    return value == nullptr ? std::nullopt : std::optional<std::string_view>(value);
}

ParsedRows::ParsedRows(RowRules& rules, CopiedInput& input, const XmlParser& parser, std::string& out,
                       bool freshFormulas)
    : rules_(rules), input_(input), parser_(parser), out_(out), freshFormulas_(freshFormulas) {}

void ParsedRows::OnStart(const char* name, const char** attributes, int depth) {
    if (skipDepth_ != 0) {
        if (replacingCell_ && depth == skipDepth_ + 1 && LocalName(name) == "f") {
            const char* type = FindAttribute(attributes, "t");
            const char* si = FindAttribute(attributes, "si");
            replacedIsDefinition_ = type != nullptr && std::strcmp(type, "shared") == 0 && si != nullptr &&
                                    FindAttribute(attributes, "ref") != nullptr;
            replacedSi_ = si == nullptr ? "" : si;
            inReplacedFormula_ = true;
        }
        return;
    }
    if (depth == 3) {
        if (LocalName(name) == "row") StartRow(name, attributes);
    } else if (depth == 4) {
        cellHasFormula_ = false;
        if (LocalName(name) != "c") return;
        if (rewriting_) StartCell(name, attributes, depth);
        else if (!orphaned_.empty()) TrackCell(attributes);
    } else if (depth == 5) {
        const std::string_view local = LocalName(name);
        if (local == "f") {
            cellHasFormula_ = true;
            if (!orphaned_.empty()) StartFormula(name, attributes, depth);
        } else if (local == "v" && cellHasFormula_ && freshFormulas_) {
            // A formula's cached result may be stale once cells are written:
            // without it, spreadsheets calculate the formula when opening
            // (LibreOffice does not honour the calculate-on-load flag).
            input_.CopyTo(parser_.EventOffset());
            input_.SkipTo(parser_.EventOffset() + parser_.EventLength());
            skipDepth_ = depth;
        }
    }
}

void ParsedRows::OnText(std::string_view text) {
    if (inReplacedFormula_) replacedFormula_ += text;
}

void ParsedRows::OnEnd(const char* name, int depth) {
    const std::int64_t end = parser_.EventOffset() + parser_.EventLength();
    if (skipDepth_ != 0) {
        if (depth == skipDepth_ + 1) inReplacedFormula_ = false;
        if (depth == skipDepth_) {
            input_.SkipTo(end);
            skipDepth_ = 0;
            if (replacingCell_) EndReplacedCell();
        }
    } else if (depth == 3) {
        if (rewriting_) EndRow(name);
        else input_.CopyTo(end);
    }
}

void ParsedRows::StartRow(const char* name, const char** attributes) {
    const std::int64_t offset = parser_.EventOffset();
    const std::int64_t length = parser_.EventLength();
    const std::optional<std::string_view> r = ParsedAttribute(attributes, "r");
    const std::int32_t row = rules_.NumberRow(r);
    cellRow_ = row;
    cellColumn_ = 0;
    if (rules_.AddsRowsBefore(row)) {
        input_.CopyTo(offset);
        rules_.AddRows(out_, row);
    }
    const bool hasWrites = rules_.HasWrites(row);
    if (!hasWrites && r) return;
    const bool empty = input_.StartTagIsEmpty(offset, length);
    if (!RowRules::KeepsRowTag(r.has_value(), hasWrites, empty, FindAttribute(attributes, "spans") != nullptr)) {
        input_.CopyTo(offset);
        attributes_.clear();
        for (const char** at = attributes; *at != nullptr; at += 2) attributes_.push_back({at[0], at[1]});
        rules_.AppendRowTag(out_, name, row, attributes_, hasWrites, empty);
        input_.SkipTo(offset + length);
    }
    if (!hasWrites) return;
    rewriting_ = true;
    rowWasEmpty_ = empty;
    rules_.OpenRow(row, ParsedAttribute(attributes, "customFormat"), ParsedAttribute(attributes, "s"));
}

void ParsedRows::StartCell(const char* name, const char** attributes, int depth) {
    const std::int64_t offset = parser_.EventOffset();
    const char* r = nullptr;
    const char* style = nullptr;
    for (const char** at = attributes; *at != nullptr; at += 2) {
        if (std::strcmp(*at, "r") == 0) r = at[1];
        else if (std::strcmp(*at, "s") == 0) style = at[1];
    }
    const std::int32_t column = rules_.NumberCell(r == nullptr ? std::nullopt : std::optional<std::string_view>(r));
    cellColumn_ = column;
    input_.CopyTo(offset);
    if (rules_.ReachCell(out_, column)) {
        rules_.ReplaceCell(out_, style == nullptr ? std::nullopt : std::optional<std::string_view>(style));
        skipDepth_ = depth;
        replacingCell_ = true;
    } else if (r == nullptr) {
        rules_.AppendNamedCellStart(out_, name, column);
        input_.SkipTo(offset + 1 + static_cast<std::int64_t>(std::strlen(name)));
    }
}

void ParsedRows::EndRow(const char* name) {
    const std::int64_t offset = parser_.EventOffset();
    input_.CopyTo(offset);
    rules_.CloseRow(out_);
    if (rowWasEmpty_) {
        out_ += "</";
        out_ += name;
        out_ += '>';
    } else {
        input_.CopyTo(offset + parser_.EventLength());
    }
    rewriting_ = false;
}

// Cells after a replaced cell that held the definition of a shared formula
// are followed, so that those sharing it learn their own position.
void ParsedRows::TrackCell(const char** attributes) {
    const char* r = FindAttribute(attributes, "r");
    const auto position = r == nullptr ? std::nullopt : ParseCellReference(r);
    cellColumn_ = position ? position->column : cellColumn_ + 1;
}

void ParsedRows::StartFormula(const char* name, const char** attributes, int depth) {
    const char* type = FindAttribute(attributes, "t");
    const char* si = FindAttribute(attributes, "si");
    if (type == nullptr || std::strcmp(type, "shared") != 0 || si == nullptr) return;
    const auto found = orphaned_.find(si);
    if (found == orphaned_.end()) return;
    if (FindAttribute(attributes, "ref") != nullptr) {
        orphaned_.erase(found);  // a new definition under the same number
        return;
    }
    // The cell shared a definition that is gone: it gets its formula in full.
    const std::int64_t offset = parser_.EventOffset();
    input_.CopyTo(offset);
    out_ += '<';
    out_ += name;
    out_ += '>';
    AppendEscaped(out_, ShiftFormula(found->second.text, cellRow_ - found->second.row,
                                     cellColumn_ - found->second.column));
    out_ += "</";
    out_ += name;
    out_ += '>';
    input_.SkipTo(offset + parser_.EventLength());
    skipDepth_ = depth;
}

void ParsedRows::EndReplacedCell() {
    if (replacedIsDefinition_ && !replacedFormula_.empty())
        orphaned_[replacedSi_] = SharedFormula{replacedFormula_, cellRow_, cellColumn_};
    replacingCell_ = false;
    inReplacedFormula_ = false;
    replacedIsDefinition_ = false;
    replacedFormula_.clear();
}

}  // namespace trevalco::workbook
