#include "WorkbookPart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string_view>
#include <vector>

#include "XmlParser.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

// A start tag seen in the part: where it is, and its attributes.
struct Tag {
    std::int64_t offset = -1;
    std::int64_t length = 0;
    bool empty = false;
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
};

// The children of <workbook> that come after <calcPr>.
constexpr std::array<std::string_view, 9> kAfterCalcPr = {
    "oleSize", "customWorkbookViews", "pivotCaches", "smartTagPr", "smartTagTypes",
    "webPublishing", "fileRecoveryPr", "webPublishObjects", "extLst"};

class Handler final : public XmlHandler {
public:
    explicit Handler(const std::string& xml) : xml_(xml) {}
    XmlParser* parser = nullptr;
    std::string prefix;
    std::int64_t rootEnd = -1, sheets = -1, afterCalcPr = -1;
    Tag workbookView, calcPr;

    void OnStart(const char* name, const char** attributes) override {
        ++depth_;
        const std::string_view local = LocalName(name);
        if (depth_ == 1) prefix = std::string(name, local.data() - name);
        if (depth_ == 2) {
            bookViews_ = local == "bookViews";
            if (local == "sheets" && sheets < 0) sheets = parser->EventOffset();
            if (local == "calcPr" && calcPr.offset < 0) Record(calcPr, name, attributes);
            if (afterCalcPr < 0 && std::find(kAfterCalcPr.begin(), kAfterCalcPr.end(), local) != kAfterCalcPr.end())
                afterCalcPr = parser->EventOffset();
        } else if (depth_ == 3 && bookViews_ && local == "workbookView" && workbookView.offset < 0) {
            Record(workbookView, name, attributes);
        }
    }
    void OnEnd(const char*) override {
        if (depth_ == 1) rootEnd = parser->EventOffset();
        --depth_;
    }

private:
    void Record(Tag& tag, const char* name, const char** attributes) {
        tag.offset = parser->EventOffset();
        tag.length = parser->EventLength();
        tag.empty = tag.length >= 2 && xml_[static_cast<std::size_t>(tag.offset + tag.length - 2)] == '/';
        tag.name = name;
        for (const char** at = attributes; *at != nullptr; at += 2) tag.attributes.emplace_back(at[0], at[1]);
    }

    const std::string& xml_;
    int depth_ = 0;
    bool bookViews_ = false;
};

void Set(Tag& tag, const std::string& key, const std::string& value) {
    for (auto& [name, old] : tag.attributes)
        if (name == key) {
            old = value;
            return;
        }
    tag.attributes.emplace_back(key, value);
}

std::string Text(const Tag& tag) {
    std::string text = "<" + tag.name;
    for (const auto& [key, value] : tag.attributes) {
        text += ' ' + key + "=\"";
        AppendEscaped(text, value);
        text += '"';
    }
    return text + (tag.empty ? "/>" : ">");
}

struct Edit {
    std::int64_t offset, length;
    std::string text;
};

}  // namespace

std::string RewriteWorkbookPart(const std::string& xml, const std::string& part, std::optional<std::size_t> activeTab,
                                bool calculateOnLoad) {
    Handler handler(xml);
    XmlParser parser(handler, part);
    handler.parser = &parser;
    parser.Parse(xml);
    if (handler.rootEnd < 0) return xml;

    std::vector<Edit> edits;
    if (activeTab) {
        const std::string tab = std::to_string(*activeTab);
        Tag view = handler.workbookView;
        if (view.offset >= 0) {
            Set(view, "activeTab", tab);
            // A first visible tab after the active one would hide it.
            for (auto& [key, value] : view.attributes) {
                std::size_t first = 0;
                if (key == "firstSheet" && std::from_chars(value.data(), value.data() + value.size(), first).ec == std::errc() &&
                    first > *activeTab)
                    value = tab;
            }
            edits.push_back({view.offset, view.length, Text(view)});
        } else if (handler.sheets >= 0) {
            edits.push_back({handler.sheets, 0,
                             "<" + handler.prefix + "bookViews><" + handler.prefix + "workbookView activeTab=\"" + tab +
                                 "\"/></" + handler.prefix + "bookViews>"});
        }
    }
    if (calculateOnLoad) {
        Tag calc = handler.calcPr;
        if (calc.offset >= 0) {
            Set(calc, "fullCalcOnLoad", "1");
            edits.push_back({calc.offset, calc.length, Text(calc)});
        } else {
            const std::int64_t at = handler.afterCalcPr >= 0 ? handler.afterCalcPr : handler.rootEnd;
            edits.push_back({at, 0, "<" + handler.prefix + "calcPr fullCalcOnLoad=\"1\"/>"});
        }
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.offset < b.offset; });
    std::string out;
    std::size_t cursor = 0;
    for (const Edit& edit : edits) {
        out.append(xml, cursor, static_cast<std::size_t>(edit.offset) - cursor);
        out += edit.text;
        cursor = static_cast<std::size_t>(edit.offset + edit.length);
    }
    out.append(xml, cursor);
    return out;
}

}  // namespace trevalco::workbook
