#include "PlainRows.h"

#include <charconv>
#include <cstring>
#include <deque>
#include <optional>
#include <vector>

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
        // Most end tags in a row are another element's, told apart at their first letter.
        if (i >= text.size() || !SameName(text.substr(i, name.size()), name))
            continue;
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
    // Reads the attributes of `tag` from `from` on (just after its name).
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
    std::optional<std::string_view> Find(std::string_view name) const {
        for (const Attribute& attribute : list_)
            if (attribute.name == name) return attribute.value;
        return std::nullopt;
    }

private:
    std::vector<Attribute> list_;
    std::deque<std::string> decoded_;  // a deque: values stay where they are as it grows
};

// The value of a tag's r attribute when it comes first, written r="...",
// else nothing.
std::optional<std::string_view> LeadingName(std::string_view tag, std::string_view name) {
    constexpr std::string_view kStart = " r=\"";
    const std::size_t from = 1 + name.size();
    if (tag.substr(from, kStart.size()) != kStart) return std::nullopt;
    const std::size_t start = from + kStart.size();
    const std::size_t end = tag.find('"', start);
    if (end == std::string_view::npos) return std::nullopt;
    return tag.substr(start, end - start);
}

// One for the thread, so that rows and cells reuse its storage.
Attributes& Scratch() {
    thread_local Attributes attributes;
    return attributes;
}

}  // namespace

PlainRows::PlainRows(RowRules& rules, std::string& out, std::string part)
    : rules_(rules), out_(out), part_(std::move(part)) {}

void PlainRows::Changed() const { throw WorkbookError("la parte " + part_ + " cambió mientras se guardaba"); }

void PlainRows::Take(const char* data, std::size_t size, bool last) {
    // Worked where they lie; only a part not yet whole is kept.
    const bool held = !pending_.empty();
    if (held) pending_.append(data, size);
    const std::string_view text = held ? std::string_view(pending_) : std::string_view(data, size);
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
        const std::size_t next = Element(text, at, end, last);
        if (next == std::string_view::npos) break;
        at = next;
    }
    if (held) pending_.erase(0, at);
    else pending_.assign(text.substr(at));
    if (last && (!pending_.empty() || depth_ != 0)) Changed();
}

std::optional<std::int32_t> PlainRows::LastRowNumber(std::string_view rows, std::string_view prefix) {
    const std::string start = "<" + std::string(prefix) + "row";
    std::size_t at = rows.size();
    while (at > 0 && (at = rows.rfind(start, at - 1)) != std::string_view::npos) {
        const std::size_t after = at + start.size();
        if (after >= rows.size() || (!IsSpace(rows[after]) && rows[after] != '>' && rows[after] != '/')) continue;
        const std::size_t end = TagEnd(rows, at);
        if (end == std::string_view::npos) return std::nullopt;
        Attributes& attributes = Scratch();
        attributes.Read(rows.substr(at, end - at), start.size());
        const auto r = attributes.Find("r");
        std::int32_t row = 0;
        if (!r || std::from_chars(r->data(), r->data() + r->size(), row).ptr != r->data() + r->size()) return std::nullopt;
        return row;
    }
    return std::nullopt;
}

std::size_t PlainRows::Element(std::string_view text, std::size_t at, std::size_t end, bool last) {
    const std::string_view tag = text.substr(at, end - at);
    const bool isEnd = tag[1] == '/';
    if (isEnd || depth_ > 1 || (depth_ == 1 && !rewriting_)) {
        Tag(tag);
        return end;
    }
    const auto [name, local] = NameOf(tag);
    if (local != (depth_ == 0 ? "row" : "c")) {
        Tag(tag);
        return end;
    }
    const bool empty = tag[tag.size() - 2] == '/';
    std::size_t close = end;
    if (!empty) {
        close = EndTagAfter(text, end, name);
        if (close == std::string_view::npos) {
            if (!last) return close;
            Changed();
        }
    }
    if (depth_ == 0) {
        if (!StartRow(tag, name, empty)) {
            ++depth_;  // rewritten: its cells come one by one
            return end;
        }
    } else if (StartCell(tag, name)) {
        return close;  // replaced by the written cell
    }
    out_.append(text.substr(end, close - end));
    return close;
}

void PlainRows::Tag(std::string_view tag) {
    const bool isEnd = tag.size() > 1 && tag[1] == '/';
    const bool empty = !isEnd && tag.size() > 2 && tag[tag.size() - 2] == '/';
    if (isEnd) {
        --depth_;
        if (depth_ == 0 && rewriting_) {
            rules_.CloseRow(out_);
            rewriting_ = false;
        }
    } else if (!empty) {
        ++depth_;
    }
    out_.append(tag);
}

bool PlainRows::StartRow(std::string_view tag, std::string_view name, bool empty) {
    Attributes& attributes = Scratch();
    attributes.Read(tag, 1 + name.size());
    const std::optional<std::string_view> r = attributes.Find("r");
    const std::int32_t row = rules_.NumberRow(r);
    if (rules_.AddsRowsBefore(row)) rules_.AddRows(out_, row);
    const bool hasWrites = rules_.HasWrites(row);
    if (RowRules::KeepsRowTag(r.has_value(), hasWrites, empty, attributes.Find("spans").has_value()))
        out_.append(tag);
    else
        rules_.AppendRowTag(out_, name, row, attributes.List(), hasWrites, empty);
    if (!hasWrites) return true;
    rules_.OpenRow(row, attributes.Find("customFormat"), attributes.Find("s"));
    if (empty) {
        rules_.CloseRow(out_);
        out_ += "</";
        out_ += name;
        out_ += '>';
        return true;
    }
    rewriting_ = true;
    return false;
}

bool PlainRows::StartCell(std::string_view tag, std::string_view name) {
    // Most cells give their name first (<c r="B7" ...>): that alone tells
    // whether a written cell takes their place, and a cell kept is copied as
    // it is, so its other attributes are read only when it is replaced.
    // (Plain rows hold no references in their values: the raw name is the
    // parsed one.)
    Attributes* attributes = nullptr;
    const auto read = [&]() -> Attributes& {
        if (attributes == nullptr) {
            attributes = &Scratch();
            attributes->Read(tag, 1 + name.size());
        }
        return *attributes;
    };
    std::optional<std::string_view> r = LeadingName(tag, name);
    if (!r) r = read().Find("r");
    const std::int32_t column = rules_.NumberCell(r);
    if (rules_.ReachCell(out_, column)) {
        // The written cell replaces the cell; its format stays.
        rules_.ReplaceCell(out_, read().Find("s"));
        return true;
    }
    if (r) {
        out_.append(tag);
    } else {
        rules_.AppendNamedCellStart(out_, name, column);
        out_.append(tag.substr(1 + name.size()));
    }
    return false;
}

}  // namespace trevalco::workbook
