#include "SharedStrings.h"

#include "WorkbookError.h"
#include "XmlParser.h"
#include "XmlText.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

// An item (si) is its plain text (t) or the texts of its runs (r/t); the
// phonetic guides (rPh) are not part of the text.
class SharedStringsHandler final : public XmlHandler {
public:
    explicit SharedStringsHandler(SharedStrings& table) : table_(table) {}
    XmlParser* parser = nullptr;

    void OnStart(const char* name, const char**) override {
        const std::string_view local = LocalName(name);
        if (local == "si") {
            inItem_ = true;
            item_.clear();
        } else if (local == "rPh") {
            ++phonetic_;
        } else if (local == "t" && inItem_ && phonetic_ == 0) {
            inText_ = true;
        }
    }
    void OnEnd(const char* name) override {
        const std::string_view local = LocalName(name);
        if (local == "t") {
            inText_ = false;
        } else if (local == "rPh") {
            --phonetic_;
        } else if (local == "si" && inItem_) {
            inItem_ = false;
            DecodeEscapes(item_);
            if (table_.texts_.size() + item_.size() > UINT32_MAX) {
                parser->Fail("tiene demasiados textos");
                return;
            }
            table_.texts_ += item_;
            table_.ends_.push_back(static_cast<std::uint32_t>(table_.texts_.size()));
        }
    }
    void OnText(std::string_view text) override {
        if (inText_) item_ += text;
    }

private:
    SharedStrings& table_;
    std::string item_;
    bool inItem_ = false;
    bool inText_ = false;
    int phonetic_ = 0;
};

SharedStrings SharedStrings::Read(const ZipArchive& archive, const std::string& part) {
    SharedStrings table;
    const auto index = archive.Find(part);
    if (!index) throw WorkbookError("falta la parte " + part + " (textos compartidos)");
    SharedStringsHandler handler(table);
    XmlParser parser(handler, part);
    handler.parser = &parser;
    ZipArchive::Reader reader(archive, *index);
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const std::size_t got = reader.Read(buffer.data(), buffer.size());
        parser.Feed(buffer.data(), got, got == 0);
        if (got == 0) break;
    }
    table.texts_.shrink_to_fit();
    table.ends_.shrink_to_fit();
    return table;
}

const SharedStrings& LazySharedStrings::Table() const {
    if (!table_) table_ = archive_ != nullptr ? SharedStrings::Read(*archive_, part_) : SharedStrings();
    return *table_;
}

}  // namespace trevalco::workbook
