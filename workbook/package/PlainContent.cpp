#include "PlainContent.h"

#include <array>
#include <string>
#include <vector>

#include "XmlText.h"

namespace trevalco::workbook {

namespace {

enum : unsigned char { kNameStart = 1, kName = 2, kValue = 4, kText = 8 };

constexpr std::array<unsigned char, 256> Classes() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0x20; c < 0x7F; ++c)
        if (c != '<' && c != '&') classes[c] = kValue | kText;
    classes['\t'] = classes['\n'] = kText;
    for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= kNameStart | kName;
    for (int c = 'a'; c <= 'z'; ++c) classes[c] |= kNameStart | kName;
    for (int c = '0'; c <= '9'; ++c) classes[c] |= kName;
    for (const char c : {'_', ':'}) classes[static_cast<unsigned char>(c)] |= kNameStart | kName;
    for (const char c : {'.', '-'}) classes[static_cast<unsigned char>(c)] |= kName;
    return classes;
}
constexpr std::array<unsigned char, 256> kClasses = Classes();

bool Is(char c, unsigned char kind) { return (kClasses[static_cast<unsigned char>(c)] & kind) != 0; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

class Scanner {
public:
    Scanner(std::string_view content, XmlHandler& handler)
        : at_(content.data()), end_(content.data() + content.size()), handler_(handler) {}

    bool Run() {
        while (at_ < end_) {
            if (*at_ != '<') {
                if (!Text()) return false;
            } else if (at_ + 1 < end_ && at_[1] == '/') {
                if (!EndTag()) return false;
            } else if (!StartTag()) {
                return false;
            }
        }
        return open_.empty();
    }

private:
    std::string_view Name() {
        const char* start = at_;
        if (at_ < end_ && Is(*at_, kNameStart))
            while (++at_ < end_ && Is(*at_, kName)) {
            }
        return {start, static_cast<std::size_t>(at_ - start)};
    }
    void SkipBlanks() {
        while (at_ < end_ && IsBlank(*at_)) ++at_;
    }

    bool Text() {
        const char* start = at_;
        while (at_ < end_ && Is(*at_, kText)) ++at_;
        if (at_ < end_ && *at_ != '<') return false;
        const std::string_view text(start, static_cast<std::size_t>(at_ - start));
        if (text.find("]]>") != std::string_view::npos) return false;
        handler_.OnText(text);
        return true;
    }

    bool EndTag() {
        at_ += 2;
        const std::string_view name = Name();
        SkipBlanks();
        if (name.empty() || at_ >= end_ || *at_ != '>' || open_.empty() || open_.back() != name) return false;
        ++at_;
        open_.pop_back();
        scratch_.assign(name);
        handler_.OnEnd(scratch_.c_str());
        return true;
    }

    bool StartTag() {
        ++at_;
        const std::string_view name = Name();
        if (name.empty()) return false;  // also "<!" and "<?"
        scratch_.assign(name);
        scratch_ += '\0';
        offsets_.clear();
        names_.clear();
        for (;;) {
            const char* before = at_;
            SkipBlanks();
            if (at_ >= end_) return false;
            if (*at_ == '>' || *at_ == '/') break;
            if (at_ == before || !Attribute()) return false;
        }
        const bool empty = *at_ == '/';
        if (empty && (++at_ >= end_ || *at_ != '>')) return false;
        ++at_;
        attributes_.clear();
        for (const std::size_t offset : offsets_) attributes_.push_back(scratch_.data() + offset);
        attributes_.push_back(nullptr);
        handler_.OnStart(scratch_.data(), attributes_.data());
        if (empty) handler_.OnEnd(scratch_.data());
        else open_.push_back(name);
        return true;
    }

    // name = "value", after the blanks that must precede it.
    bool Attribute() {
        const std::string_view name = Name();
        SkipBlanks();
        if (name.empty() || at_ >= end_ || *at_ != '=') return false;
        ++at_;
        SkipBlanks();
        if (at_ >= end_ || (*at_ != '"' && *at_ != '\'')) return false;
        const char quote = *at_++;
        const char* start = at_;
        while (at_ < end_ && *at_ != quote && Is(*at_, kValue)) ++at_;
        if (at_ >= end_ || *at_ != quote) return false;
        const std::string_view value(start, static_cast<std::size_t>(at_ - start));
        ++at_;
        for (const std::string_view earlier : names_)
            if (SameName(earlier, name)) return false;
        names_.push_back(name);
        offsets_.push_back(scratch_.size());
        scratch_.append(name);
        scratch_ += '\0';
        offsets_.push_back(scratch_.size());
        scratch_.append(value);
        scratch_ += '\0';
        return true;
    }

    const char* at_;
    const char* const end_;
    XmlHandler& handler_;
    std::vector<std::string_view> open_;   // names of the open elements
    std::string scratch_;                  // the tag's name, attribute names and values, each ended by '\0'
    std::vector<std::size_t> offsets_;     // of the attribute names and values in scratch_
    std::vector<std::string_view> names_;  // of the tag's attributes
    std::vector<const char*> attributes_;
};

}  // namespace

bool ScanPlainContent(std::string_view content, XmlHandler& handler) { return Scanner(content, handler).Run(); }

}  // namespace trevalco::workbook
