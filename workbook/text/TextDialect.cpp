#include "TextDialect.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace trevalco::workbook {

namespace {

constexpr std::size_t kSampleLines = 50;

// The fields of the first lines of `head` split at `separator`, outside
// quotes. An unfinished last line is left out unless it is the only one.
std::vector<std::vector<std::string_view>> SampleLines(std::string_view head, char separator) {
    std::vector<std::vector<std::string_view>> lines;
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t fieldStart = 0;
    for (std::size_t i = 0; i < head.size() && lines.size() < kSampleLines; ++i) {
        const char c = head[i];
        if (c == '"' && (i == fieldStart || quoted)) {
            quoted = !quoted;
        } else if (!quoted && (c == separator || c == '\n')) {
            std::string_view field = head.substr(fieldStart, i - fieldStart);
            if (c == '\n' && field.ends_with('\r')) field.remove_suffix(1);
            fields.push_back(field);
            fieldStart = i + 1;
            if (c == '\n') {
                lines.push_back(std::move(fields));
                fields.clear();
            }
        }
    }
    if (lines.empty() && !quoted) {
        fields.push_back(head.substr(fieldStart));
        lines.push_back(std::move(fields));
    }
    return lines;
}

// How well a separator fits the sample: first the lines it splits at all,
// then the lines it splits into its most usual number of fields.
std::pair<std::size_t, std::size_t> Fit(const std::vector<std::vector<std::string_view>>& lines) {
    std::map<std::size_t, std::size_t> counts;
    std::size_t split = 0;
    for (const auto& fields : lines) {
        if (fields.size() < 2) continue;
        ++split;
        ++counts[fields.size()];
    }
    std::size_t consistent = 0;
    for (const auto& [fields, lineCount] : counts) consistent = std::max(consistent, lineCount);
    return {split, consistent};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, one `point`, digits; an optional sign and blanks around. Quotes
// around the field are looked through.
bool HasFraction(std::string_view field, char point) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
    const std::size_t at = field.find(point);
    if (at == std::string_view::npos || at == 0 || at + 1 == field.size()) return false;
    return std::all_of(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(at), IsDigit) &&
           std::all_of(field.begin() + static_cast<std::ptrdiff_t>(at) + 1, field.end(), IsDigit);
}

}  // namespace

TextDialect DetectDialect(std::string_view head, bool tabByDefault) {
    TextDialect dialect;
    if (const std::size_t newline = head.find('\n');
        newline != std::string_view::npos && newline > 0 && head[newline - 1] == '\r')
        dialect.lineEnd = "\r\n";

    constexpr std::array<char, 3> kCandidates{';', '\t', ','};
    std::pair<std::size_t, std::size_t> bestFit{0, 0};
    char best = 0;
    for (const char candidate : kCandidates) {
        const auto fit = Fit(SampleLines(head, candidate));
        if (fit.first > 0 && fit > bestFit) {
            bestFit = fit;
            best = candidate;
        }
    }
    const auto fractions = [&head](char separator, char point) {
        std::size_t count = 0;
        for (const auto& fields : SampleLines(head, separator))
            count += static_cast<std::size_t>(std::count_if(fields.begin(), fields.end(), [point](std::string_view f) {
                return HasFraction(f, point);
            }));
        return count;
    };
    if (best == 0) {
        // One column: the decimal comma decides, else the kind of file.
        const bool comma = fractions('\n', ',') > fractions('\n', '.');
        best = comma ? ';' : (tabByDefault ? '\t' : ',');
    }
    dialect.separator = best;
    if (best != ',' && fractions(best, ',') > fractions(best, '.')) dialect.decimal = ',';
    return dialect;
}

}  // namespace trevalco::workbook
