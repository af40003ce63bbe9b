#include "PartFilter.h"

#include <algorithm>

#include "XmlParser.h"

namespace trevalco::workbook {

namespace {

class DropHandler final : public XmlHandler {
public:
    DropHandler(std::string_view xml, const std::function<bool(std::string_view, const char**)>& drop)
        : xml_(xml), drop_(drop) {}
    XmlParser* parser = nullptr;
    std::string out;

    void OnStart(const char* name, const char** attributes) override {
        ++depth_;
        if (depth_ == 2 && dropping_ == 0 && drop_(LocalName(name), attributes)) {
            Copy(parser->EventOffset());
            dropping_ = depth_;
        }
    }
    void OnEnd(const char*) override {
        if (dropping_ == depth_) {
            cursor_ = static_cast<std::size_t>(parser->EventOffset() + parser->EventLength());
            dropping_ = 0;
        }
        --depth_;
    }
    void Finish() { Copy(static_cast<std::int64_t>(xml_.size())); }

private:
    void Copy(std::int64_t to) {
        const auto end = static_cast<std::size_t>(to);
        if (end > cursor_) out.append(xml_.substr(cursor_, end - cursor_));
        cursor_ = std::max(cursor_, end);
    }

    std::string_view xml_;
    const std::function<bool(std::string_view, const char**)>& drop_;
    std::size_t cursor_ = 0;
    int depth_ = 0;
    int dropping_ = 0;
};

}  // namespace

std::string DropEntries(std::string_view xml, const std::string& part,
                        const std::function<bool(std::string_view, const char**)>& drop) {
    DropHandler handler(xml, drop);
    XmlParser parser(handler, part);
    handler.parser = &parser;
    parser.Parse(xml);
    handler.Finish();
    return std::move(handler.out);
}

}  // namespace trevalco::workbook
