// The rows of a sheet whose rows are plain (see RowsLayout) worked tag by tag
// without expat: reading the sheet has already parsed and checked exactly
// these bytes, so they are well formed and hold only row, c and v elements
// and text. They get the same changes as the parsed path makes. A row that
// keeps its cells, and each cell of a row being rewritten, is taken whole:
// its end is the first end tag of its name, since it cannot hold another.
#include <algorithm>
#include <charconv>
#include <deque>
#include <string>
#include <vector>
#include <cstring>

#include "CellReference.h"
#include "SheetWriter.h"
#include "WorkbookError.h"
#include "XmlParser.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

// The index just after the '>' that closes the tag starting at `at`, or npos
// when it is not all there yet; '>' inside attribute values does not count.
std::size_t TagEnd(std::string_view text, std::size_t at) {
    char quote = 0;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The index just after the first end tag named `name` at or after `from`, or
// npos when it is not all there yet.
std::size_t EndTagAfter(std::string_view text, std::size_t from, std::string_view name) {
    for (std::size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
        std::size_t i = at + 2;
        if (text.substr(i, name.size()) != name) continue;
        i += name.size();
        while (i < text.size() && IsSpace(text[i])) ++i;
        if (i < text.size() && text[i] == '>') return i + 1;
        if (i >= text.size()) return std::string_view::npos;
    }
    return std::string_view::npos;
}

// A tag's name, as written ("x:c"), and without its prefix.
struct TagName {
    std::string_view name, local;
};
TagName NameOf(std::string_view tag) {
    const std::size_t start = tag.size() > 1 && tag[1] == '/' ? 2 : 1;
    std::size_t end = start;
    while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '/' && tag[end] != '>') ++end;
    const std::string_view name = tag.substr(start, end - start);
    const std::size_t colon = name.rfind(':');
    return {name, colon == std::string_view::npos ? name : name.substr(colon + 1)};
}

// An attribute's value as the XML parser gives it (references decoded, white
// space normalised), for the few values that are not taken as they stand.
std::string ValueAsParsed(char quote, std::string_view raw) {
    struct Value final : XmlHandler {
        std::string text;
        void OnStart(const char*, const char** attributes) override {
            if (attributes[0] != nullptr) text = attributes[1];
        }
        void OnEnd(const char*) override {}
    } handler;
    XmlParser parser(handler, "de la fila");
    std::string element = "<a v=";
    element += quote;
    element += raw;
    element += quote;
    element += "/>";
    parser.Parse(element);
    return std::move(handler.text);
}

// The attributes of a start tag, as the parser would give them: values with
// their white space normalised and their references decoded (most values
// need neither, and are kept where they are).
struct Attribute {
    std::string_view name;
    std::string_view value;
};

class Attributes {
public:
    void Read(std::string_view tag, std::size_t from) {
        list_.clear();
        if (!decoded_.empty()) decoded_.clear();
        const char* at = tag.data() + from;
        const char* const end = tag.data() + tag.size();
        const auto has = [&](char c) { return std::memchr(at, c, static_cast<std::size_t>(end - at)) != nullptr; };
        // Values are taken as they stand unless a reference or a white space
        // other than a blank could make the parsed value differ.
        const bool asParsed = has('&') || has('\t') || has('\r') || has('\n');
        for (;;) {
            while (at < end && IsSpace(*at)) ++at;
            if (at >= end || *at == '/' || *at == '>') return;
            const auto* equals = static_cast<const char*>(std::memchr(at, '=', static_cast<std::size_t>(end - at)));
            if (equals == nullptr) return;
            std::string_view name(at, static_cast<std::size_t>(equals - at));
            while (!name.empty() && IsSpace(name.back())) name.remove_suffix(1);
            at = equals + 1;
            while (at < end && *at != '"' && *at != '\'') ++at;
            if (at >= end) return;
            const char quote = *at++;
            const auto* close = static_cast<const char*>(std::memchr(at, quote, static_cast<std::size_t>(end - at)));
            if (close == nullptr) return;
            const std::string_view raw(at, static_cast<std::size_t>(close - at));
            at = close + 1;
            if (!asParsed) list_.push_back({name, raw});
            else list_.push_back({name, decoded_.emplace_back(ValueAsParsed(quote, raw))});
        }
    }
    const std::vector<Attribute>& List() const { return list_; }
    const std::string_view* Find(std::string_view name) const {
        for (const Attribute& attribute : list_)
            if (attribute.name == name) return &attribute.value;
        return nullptr;
    }

private:
    std::vector<Attribute> list_;
    std::deque<std::string> decoded_;  // a deque: values stay where they are as it grows
};

std::uint32_t StyleOf(const std::string_view* text) {
    std::uint32_t style = 0;
    if (text != nullptr) std::from_chars(text->data(), text->data() + text->size(), style);
    return style;
}

Attributes& Scratch() {
    thread_local Attributes attributes;
    return attributes;
}

}  // namespace

void SheetWriter::RewriteRows(const char* data, std::size_t size, bool last) {
    plain_.append(data, size);
    const std::string_view text = plain_;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] != '<') {
            std::size_t next = text.find('<', at);
            if (next == std::string_view::npos) {
                if (!last) break;
                next = text.size();
            }
            out_.append(text.substr(at, next - at));
            at = next;
            continue;
        }
        const std::size_t end = TagEnd(text, at);
        if (end == std::string_view::npos) break;
        const std::size_t next = PlainElement(text, at, end, last);
        if (next == std::string_view::npos) break;
        at = next;
    }
    plain_.erase(0, at);
    if (last && (!plain_.empty() || plainDepth_ != 0))
        throw WorkbookError("la parte " + part_ + " cambió mientras se guardaba");
}

std::size_t SheetWriter::PlainElement(std::string_view text, std::size_t at, std::size_t end, bool last) {
    const std::string_view tag = text.substr(at, end - at);
    const bool isEnd = tag[1] == '/';
    if (isEnd || plainDepth_ > 1 || (plainDepth_ == 1 && !rewriting_)) {
        PlainTag(tag);
        return end;
    }
    const auto [name, local] = NameOf(tag);
    if (local != (plainDepth_ == 0 ? "row" : "c")) {
        PlainTag(tag);
        return end;
    }
    const bool empty = tag[tag.size() - 2] == '/';
    std::size_t close = end;
    if (!empty) {
        close = EndTagAfter(text, end, name);
        if (close == std::string_view::npos) {
            if (!last) return close;
            throw WorkbookError("la parte " + part_ + " cambió mientras se guardaba");
        }
    }
    if (plainDepth_ == 0) {
        if (!PlainRowStart(tag, name, empty)) {
            ++plainDepth_;  // rewritten: its cells come one by one
            return end;
        }
    } else if (PlainCellStart(tag, name)) {
        return close;  // replaced by the written cell
    }
    out_.append(text.substr(end, close - end));
    return close;
}

void SheetWriter::PlainTag(std::string_view tag) {
    const bool isEnd = tag.size() > 1 && tag[1] == '/';
    const bool empty = !isEnd && tag.size() > 2 && tag[tag.size() - 2] == '/';
    if (isEnd) {
        --plainDepth_;
        if (plainDepth_ == 0 && rewriting_) {
            EmitRestOfRow();
            rewriting_ = false;
        }
    } else if (!empty) {
        ++plainDepth_;
    }
    out_.append(tag);
}

bool SheetWriter::PlainRowStart(std::string_view tag, std::string_view name, bool empty) {
    Attributes& attributes = Scratch();
    attributes.Read(tag, 1 + name.size());
    const std::string_view* r = attributes.Find("r");
    std::int32_t row = previousRow_ + 1;
    if (r != nullptr) {
        std::int32_t given = 0;
        const auto [end, error] = std::from_chars(r->data(), r->data() + r->size(), given);
        if (error == std::errc() && end == r->data() + r->size() && given >= 1 && given <= kMaxRows) row = given;
    }
    // As in the parsed path: rows out of order are refused rather than saved damaged.
    if (row <= previousRow_ && !written_.Empty()) throw WorkbookError(RowsOutOfOrderText(part_, row, previousRow_));
    previousRow_ = row;
    if (nextWrittenRow_ != 0 && nextWrittenRow_ < row) EmitNewRowsBefore(row);
    const bool hasWrites = nextWrittenRow_ == row;
    if (KeepsRowTag(r != nullptr, hasWrites, empty, attributes.Find("spans") != nullptr)) {
        out_.append(tag);
    } else {
        out_ += '<';
        out_ += name;
        out_ += " r=\"";
        out_ += std::to_string(row);
        out_ += '"';
        for (const Attribute& attribute : attributes.List()) {
            if (attribute.name == "r" || (hasWrites && attribute.name == "spans")) continue;
            out_ += ' ';
            out_ += attribute.name;
            out_ += "=\"";
            AppendEscaped(out_, attribute.value);
            out_ += '"';
        }
        out_ += empty && !hasWrites ? "/>" : ">";
    }
    if (!hasWrites) return true;
    rowStyle_.reset();
    const std::string_view* customFormat = attributes.Find("customFormat");
    if (customFormat != nullptr && (*customFormat == "1" || *customFormat == "true"))
        if (const std::string_view* style = attributes.Find("s")) rowStyle_ = StyleOf(style);
    row_ = row;
    column_ = 0;
    written_.RowCells(row, rowCells_);
    rowCellAt_ = 0;
    nextWrittenRow_ = written_.NextRow(row + 1);
    if (empty) {
        EmitRestOfRow();
        out_ += "</";
        out_ += name;
        out_ += '>';
        return true;
    }
    rewriting_ = true;
    return false;
}

bool SheetWriter::PlainCellStart(std::string_view tag, std::string_view name) {
    Attributes& attributes = Scratch();
    attributes.Read(tag, 1 + name.size());
    const std::string_view* r = attributes.Find("r");
    std::int32_t column = column_ + 1;
    if (r != nullptr) {
        if (const auto position = ParseCellReference(*r)) column = position->column;
    }
    column_ = column;
    while (rowCellAt_ < rowCells_.size() && rowCells_[rowCellAt_].column < column) {
        EmitCell(row_, rowCells_[rowCellAt_], NewCellStyle(rowCells_[rowCellAt_].column));
        ++rowCellAt_;
    }
    if (rowCellAt_ < rowCells_.size() && rowCells_[rowCellAt_].column == column) {
        // The written cell replaces the cell; its style stays.
        EmitCell(row_, rowCells_[rowCellAt_], StyleOf(attributes.Find("s")));
        ++rowCellAt_;
        return true;
    }
    if (r == nullptr) {
        // Named, so that cells added before it cannot shift it.
        out_ += '<';
        out_ += name;
        out_ += " r=\"" + ColumnName(column) + std::to_string(row_) + "\"";
        out_.append(tag.substr(1 + name.size()));
    } else {
        out_.append(tag);
    }
    return false;
}

void SheetWriter::EmitRestOfRow() {
    for (; rowCellAt_ < rowCells_.size(); ++rowCellAt_)
        EmitCell(row_, rowCells_[rowCellAt_], NewCellStyle(rowCells_[rowCellAt_].column));
}

}  // namespace trevalco::workbook
