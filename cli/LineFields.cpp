#include "LineFields.h"

namespace trevalco::cli {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The end of the field that starts at `start`: the next delimiter outside
// quotes, or the end of the line.
std::size_t DelimitedFieldEnd(std::string_view line, std::size_t start, char delimiter) {
    std::size_t i = start;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size(); ++i) {
            if (line[i] != '"') continue;
            if (i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
                continue;
            }
            ++i;
            break;
        }
    }
    const std::size_t end = line.find(delimiter, i);
    return end == std::string_view::npos ? line.size() : end;
}

}  // namespace

void LineFields::PassFrom(std::size_t index, std::string_view line) {
    if (index >= count) return;
    rest = line.substr(static_cast<std::size_t>(fields[index].data() - line.data()));
    count = index;
}

LineFields SplitLine(std::string_view line, const LineLayout& layout, std::size_t wanted) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    LineFields split;
    std::size_t i = 0;
    std::size_t index = 0;  // fields seen, skipped ones included
    const std::size_t last = layout.skipFields + wanted;
    if (!layout.delimiter) {
        std::size_t leadingStart = 0;
        while (index < last) {
            while (i < line.size() && IsBlank(line[i])) ++i;
            if (i == line.size()) break;
            const std::size_t start = i;
            while (i < line.size() && !IsBlank(line[i])) ++i;
            const std::string_view field = line.substr(start, i - start);
            if (index == 0) leadingStart = start;
            if (index < layout.skipFields)
                split.leading = line.substr(leadingStart, i - leadingStart);
            else
                split.fields[split.count++] = field;
            ++index;
        }
        while (i < line.size() && IsBlank(line[i])) ++i;
        split.rest = line.substr(i);
        split.blank = index == 0;
        return split;
    }
    const char delimiter = *layout.delimiter;
    split.blank = line.find_first_not_of(" \t") == std::string_view::npos;
    if (split.blank) return split;
    while (index < last && i <= line.size()) {
        const std::size_t end = DelimitedFieldEnd(line, i, delimiter);
        if (index < layout.skipFields)
            split.leading = line.substr(0, end);
        else
            split.fields[split.count++] = line.substr(i, end - i);
        ++index;
        i = end + 1;
    }
    if (i <= line.size()) split.rest = line.substr(i);
    return split;
}

std::string_view FieldText(std::string_view field, bool delimited, std::string& scratch) {
    if (!delimited || field.size() < 2 || field.front() != '"') return field;
    scratch.clear();
    for (std::size_t i = 1; i < field.size(); ++i) {
        if (field[i] == '"') {
            if (i + 1 < field.size() && field[i + 1] == '"') {
                scratch += '"';
                ++i;
                continue;
            }
            scratch += field.substr(i + 1);
            return scratch;
        }
        scratch += field[i];
    }
    return scratch;
}

}  // namespace trevalco::cli
