// The rows of a worksheet part rewritten as expat parses them, for any XML
// the part may hold among its rows (formulas, inline texts, comments, other
// elements): rows and cells without written cells are copied byte for byte;
// a row with written cells gets them in column order, beside its own cells
// or in their place (RowRules decides how). Formulas that shared the formula
// of a replaced cell are written out in full, and formulas lose their cached
// results when asked, so that they are calculated afresh.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CopiedInput.h"
#include "RowRules.h"
#include "XmlParser.h"

namespace trevalco::workbook {

// The value of an attribute as expat gives it, or nothing.
std::optional<std::string_view> ParsedAttribute(const char** attributes, std::string_view name);

class ParsedRows {
public:
    // `freshFormulas`: formulas lose their cached results.
    ParsedRows(RowRules& rules, CopiedInput& input, const XmlParser& parser, std::string& out, bool freshFormulas);

    // The events of the elements inside sheetData (`depth` 3 for a row, 4
    // for a cell...).
    void OnStart(const char* name, const char** attributes, int depth);
    void OnEnd(const char* name, int depth);
    void OnText(std::string_view text);

private:
    void StartRow(const char* name, const char** attributes);
    void StartCell(const char* name, const char** attributes, int depth);
    void EndRow(const char* name);
    void TrackCell(const char** attributes);
    void StartFormula(const char* name, const char** attributes, int depth);
    void EndReplacedCell();

    RowRules& rules_;
    CopiedInput& input_;
    const XmlParser& parser_;
    std::string& out_;
    bool freshFormulas_;

    int skipDepth_ = 0;  // the depth of an element being dropped, 0 when none
    bool rewriting_ = false;  // in a row with written cells
    bool rowWasEmpty_ = false;
    struct Attribute {
        std::string_view name, value;
    };
    std::vector<Attribute> attributes_;  // of a row whose start tag is written anew

    // Shared formulas whose defining cell was replaced: their text, by the
    // cell it was written for, under their "si".
    struct SharedFormula {
        std::string text;
        std::int32_t row, column;
    };
    std::map<std::string, SharedFormula> orphaned_;
    bool replacingCell_ = false;
    bool inReplacedFormula_ = false;
    std::string replacedSi_;
    std::string replacedFormula_;
    bool replacedIsDefinition_ = false;
    bool cellHasFormula_ = false;
    std::int32_t cellRow_ = 0;
    std::int32_t cellColumn_ = 0;
};

}  // namespace trevalco::workbook
