#include "CellStyles.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "XmlParser.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

Attributes Copied(const char** attributes) {
    Attributes copied;
    for (const char** at = attributes; *at != nullptr; at += 2) copied.emplace_back(at[0], at[1]);
    return copied;
}

std::uint32_t Number(const char* text) {
    std::uint32_t value = 0;
    if (text != nullptr) std::from_chars(text, text + std::strlen(text), value);
    return value;
}

// A start tag with some attributes set to new values (added when missing).
std::string StartTag(const std::string& name, Attributes attributes, const Attributes& changes, bool empty) {
    for (const auto& change : changes) {
        const auto found = std::find_if(attributes.begin(), attributes.end(),
                                        [&](const auto& a) { return a.first == change.first; });
        if (found != attributes.end()) found->second = change.second;
        else attributes.push_back(change);
    }
    std::string tag = "<" + name;
    for (const auto& [key, value] : attributes) {
        tag += ' ' + key + "=\"";
        AppendEscaped(tag, value);
        tag += '"';
    }
    tag += empty ? "/>" : ">";
    return tag;
}

}  // namespace

class StylesHandler final : public XmlHandler {
public:
    explicit StylesHandler(CellStyles& styles) : styles_(styles) {}
    XmlParser* parser = nullptr;

    void OnStart(const char* name, const char** attributes) override {
        ++depth_;
        const std::string_view local = LocalName(name);
        const std::int64_t offset = parser->EventOffset();
        const std::int64_t length = parser->EventLength();
        if (depth_ == 1) {
            styles_.rootTagEnd_ = offset + length;
            styles_.prefix_ = std::string(name, local.data() - name);
        } else if (depth_ == 2 && local == "numFmts" && styles_.numFmtsTag_ < 0) {
            section_ = Section::NumberFormats;
            styles_.numFmtsName_ = name;
            styles_.numFmtsTag_ = offset;
            styles_.numFmtsTagLength_ = length;
            styles_.numFmtsAttributes_ = Copied(attributes);
        } else if (depth_ == 2 && local == "cellXfs" && styles_.cellXfsTag_ < 0) {
            section_ = Section::CellFormats;
            styles_.cellXfsName_ = name;
            styles_.cellXfsTag_ = offset;
            styles_.cellXfsTagLength_ = length;
            styles_.cellXfsAttributes_ = Copied(attributes);
        } else if (depth_ == 3 && section_ == Section::NumberFormats && local == "numFmt") {
            const char* code = FindAttribute(attributes, "formatCode");
            styles_.codes_[Number(FindAttribute(attributes, "numFmtId"))] = code == nullptr ? "" : code;
        } else if (depth_ == 3 && section_ == Section::CellFormats && local == "xf") {
            styles_.formats_.push_back({name, Copied(attributes), {}, Number(FindAttribute(attributes, "numFmtId"))});
            innerStart_ = offset + length;
        }
    }

    void OnEnd(const char*) override {
        const std::int64_t offset = parser->EventOffset();
        const std::int64_t length = parser->EventLength();
        if (depth_ == 2 && section_ == Section::NumberFormats) {
            styles_.numFmtsEmpty_ = length == 0;
            styles_.numFmtsEnd_ = offset;
            section_ = Section::None;
        } else if (depth_ == 2 && section_ == Section::CellFormats) {
            styles_.cellXfsEnd_ = length == 0 ? -1 : offset;
            section_ = Section::None;
        } else if (depth_ == 3 && section_ == Section::CellFormats && length != 0) {
            styles_.formats_.back().inner = styles_.xml_.substr(static_cast<std::size_t>(innerStart_),
                                                                static_cast<std::size_t>(offset - innerStart_));
        }
        --depth_;
    }

private:
    enum class Section { None, NumberFormats, CellFormats };
    CellStyles& styles_;
    int depth_ = 0;
    Section section_ = Section::None;
    std::int64_t innerStart_ = 0;
};

CellStyles::CellStyles(std::string xml, std::string part) : xml_(std::move(xml)), part_(std::move(part)) {
    StylesHandler handler(*this);
    XmlParser parser(handler, part_);
    handler.parser = &parser;
    parser.Parse(xml_);
    if (cellXfsEnd_ < 0) formats_.clear();  // nowhere to add copies
}

bool CellStyles::IsGeneral(std::uint32_t numberFormat) const {
    if (numberFormat == 0) return true;
    const auto code = codes_.find(numberFormat);
    if (code == codes_.end()) return false;
    std::string lower = code->second;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "general";
}

std::uint32_t CellStyles::NumberFormatFor(int decimals) {
    // The built-in formats "0" and "0.00".
    if (decimals == 0) return 1;
    if (decimals == 2) return 2;
    if (const auto added = addedFormats_.find(decimals); added != addedFormats_.end()) return added->second;
    const std::string code = "0." + std::string(static_cast<std::size_t>(decimals), '0');
    for (const auto& [id, existing] : codes_)
        if (existing == code) return id;
    std::uint32_t id = 163;  // custom formats start at 164
    if (!codes_.empty()) id = std::max(id, codes_.rbegin()->first);
    for (const auto& [count, added] : addedFormats_) id = std::max(id, added);
    return addedFormats_[decimals] = id + 1;
}

std::uint32_t CellStyles::NumberStyle(std::uint32_t style, int decimals) {
    if (style >= formats_.size()) return style;
    // Asked for every number written: whether a style is General is worked out once.
    if (general_.size() != formats_.size()) general_.assign(formats_.size(), -1);
    std::int8_t& general = general_[style];
    if (general < 0) general = IsGeneral(formats_[style].numberFormat) ? 1 : 0;
    if (general == 0) return style;
    const auto key = std::make_pair(style, decimals);
    if (const auto found = copyOf_.find(key); found != copyOf_.end()) return found->second;
    const auto index = static_cast<std::uint32_t>(formats_.size() + copies_.size());
    copies_.push_back({style, NumberFormatFor(decimals)});
    return copyOf_[key] = index;
}

CellStyles::Known CellStyles::KnownNow() const {
    Known known;
    known.general_.reserve(formats_.size());
    for (const Format& format : formats_) known.general_.push_back(IsGeneral(format.numberFormat));
    known.copyOf_ = copyOf_;
    return known;
}

std::string CellStyles::Rewritten() const {
    if (!Changed()) return xml_;
    std::string out;
    std::size_t cursor = 0;
    const auto copyTo = [&](std::int64_t offset) {
        out.append(xml_, cursor, static_cast<std::size_t>(offset) - cursor);
        cursor = static_cast<std::size_t>(offset);
    };
    if (!addedFormats_.empty()) {
        std::string added;
        for (const auto& [decimals, id] : addedFormats_) {
            added += "<" + prefix_ + "numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"0." +
                     std::string(static_cast<std::size_t>(decimals), '0') + "\"/>";
        }
        const Attributes count = {{"count", std::to_string(codes_.size() + addedFormats_.size())}};
        if (numFmtsTag_ < 0) {
            copyTo(rootTagEnd_);
            out += StartTag(prefix_ + "numFmts", {}, count, false) + added + "</" + prefix_ + "numFmts>";
        } else {
            copyTo(numFmtsTag_);
            out += StartTag(numFmtsName_, numFmtsAttributes_, count, false);
            cursor = static_cast<std::size_t>(numFmtsTag_ + numFmtsTagLength_);
            if (numFmtsEmpty_) {
                out += added + "</" + numFmtsName_ + ">";
            } else {
                copyTo(numFmtsEnd_);
                out += added;
            }
        }
    }
    copyTo(cellXfsTag_);
    out += StartTag(cellXfsName_, cellXfsAttributes_, {{"count", std::to_string(formats_.size() + copies_.size())}}, false);
    cursor = static_cast<std::size_t>(cellXfsTag_ + cellXfsTagLength_);
    copyTo(cellXfsEnd_);
    for (const Copy& copy : copies_) {
        const Format& format = formats_[copy.style];
        out += StartTag(format.name, format.attributes,
                        {{"numFmtId", std::to_string(copy.numberFormat)}, {"applyNumberFormat", "1"}},
                        format.inner.empty());
        if (!format.inner.empty()) out += format.inner + "</" + format.name + ">";
    }
    out.append(xml_, cursor);
    return out;
}

}  // namespace trevalco::workbook
