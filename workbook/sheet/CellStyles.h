// The cell formats of a workbook (styles.xml) as far as written numbers need
// them: a number written into a cell whose format shows numbers as General
// gets a copy of that format showing the number's decimals, so that every
// spreadsheet shows the digits written. The copies are added to the part
// when it is saved.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trevalco::workbook {

class CellStyles {
public:
    // No styles part: every cell is General and stays so.
    CellStyles() = default;
    // Reads a styles part. Throws WorkbookError when it is damaged.
    CellStyles(std::string xml, std::string part);

    // The format (cellXfs index) for a number with `decimals` decimals in a
    // cell whose format would be `style`: `style` itself when it has a number
    // format, else a copy of it with "0.000"-like digits.
    std::uint32_t NumberStyle(std::uint32_t style, int decimals);

    // The answers NumberStyle gives now without adding a copy, taken apart
    // so that threads rewriting rows at once can ask them while this goes on
    // adding copies: nothing where NumberStyle would add one.
    class Known {
    public:
        std::optional<std::uint32_t> NumberStyle(std::uint32_t style, int decimals) const {
            if (style >= general_.size() || !general_[style]) return style;
            const auto found = copyOf_.find({style, decimals});
            if (found == copyOf_.end()) return std::nullopt;
            return found->second;
        }

    private:
        friend class CellStyles;
        std::vector<bool> general_;
        std::map<std::pair<std::uint32_t, int>, std::uint32_t> copyOf_;
    };
    Known KnownNow() const;

    bool Changed() const { return !copies_.empty(); }
    // The styles part with the copies added.
    std::string Rewritten() const;

private:
    struct Format {
        std::string name;  // the element's name as written ("xf", "x:xf")
        std::vector<std::pair<std::string, std::string>> attributes;
        std::string inner;  // the element's content, as written
        std::uint32_t numberFormat = 0;
    };
    struct Copy {
        std::uint32_t style;
        std::uint32_t numberFormat;
    };
    friend class StylesHandler;

    bool IsGeneral(std::uint32_t numberFormat) const;
    std::uint32_t NumberFormatFor(int decimals);

    std::string xml_;
    std::string part_;
    std::vector<Format> formats_;
    std::map<std::uint32_t, std::string> codes_;  // custom number formats by id
    std::string numFmtsName_ = "numFmts";
    std::int64_t numFmtsTag_ = -1, numFmtsTagLength_ = 0, numFmtsEnd_ = -1;  // -1: none
    bool numFmtsEmpty_ = false;
    std::int64_t rootTagEnd_ = -1;
    std::string cellXfsName_;
    std::int64_t cellXfsTag_ = -1, cellXfsTagLength_ = 0, cellXfsEnd_ = -1;
    std::vector<std::pair<std::string, std::string>> numFmtsAttributes_, cellXfsAttributes_;
    std::string prefix_;

    std::map<std::pair<std::uint32_t, int>, std::uint32_t> copyOf_;
    std::vector<std::int8_t> general_;  // per style: 1 when its number format is General, -1 not yet known
    std::vector<Copy> copies_;
    std::map<int, std::uint32_t> addedFormats_;  // decimals → new custom id
};

}  // namespace trevalco::workbook
