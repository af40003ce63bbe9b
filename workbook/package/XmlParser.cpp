#include "XmlParser.h"

#include <expat.h>

#include <climits>
#include <cstring>

#include "WorkbookError.h"

namespace trevalco::workbook {

struct XmlParser::Raw {
    XML_Parser parser = nullptr;
    XmlHandler* handler = nullptr;
    XmlParser* owner = nullptr;
    ~Raw() {
        if (parser != nullptr) XML_ParserFree(parser);
    }
};

namespace {

using Context = XmlParser::Raw;

// Calls a handler unless the parse has failed; what it throws stops the parse
// instead of crossing expat.
template <typename Call>
void Guarded(void* data, Call call) {
    auto* context = static_cast<Context*>(data);
    if (context->owner->Failed()) return;
    try {
        call(*context->handler);
    } catch (...) {
        context->owner->Abort(std::current_exception());
    }
}

void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](XmlHandler& handler) { handler.OnStart(name, attributes); });
}

void End(void* data, const XML_Char* name) {
    Guarded(data, [&](XmlHandler& handler) { handler.OnEnd(name); });
}

void Text(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](XmlHandler& handler) { handler.OnText(std::string_view(text, static_cast<std::size_t>(length))); });
}

void Other(void* data) {
    Guarded(data, [](XmlHandler& handler) { handler.OnOther(); });
}

void Comment(void* data, const XML_Char*) { Other(data); }
void Instruction(void* data, const XML_Char*, const XML_Char*) { Other(data); }

void Doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Context*>(data)->owner->Fail("contiene una declaración de tipo de documento (DOCTYPE)");
}

}  // namespace

XmlParser::XmlParser(XmlHandler& handler, std::string part)
    : raw_(std::make_unique<Raw>()), part_(std::move(part)) {
    raw_->parser = XML_ParserCreate("UTF-8");
    if (raw_->parser == nullptr) throw std::bad_alloc();
    raw_->handler = &handler;
    raw_->owner = this;
    XML_SetUserData(raw_->parser, raw_.get());
    XML_SetElementHandler(raw_->parser, Start, End);
    XML_SetCharacterDataHandler(raw_->parser, Text);
    XML_SetStartDoctypeDeclHandler(raw_->parser, Doctype);
    XML_SetCommentHandler(raw_->parser, Comment);
    XML_SetProcessingInstructionHandler(raw_->parser, Instruction);
    XML_SetStartCdataSectionHandler(raw_->parser, Other);
}

XmlParser::~XmlParser() = default;

void XmlParser::Fail(std::string reason) {
    if (Failed()) return;
    failure_ = std::move(reason);
    XML_StopParser(raw_->parser, XML_FALSE);
}

void XmlParser::Abort(std::exception_ptr exception) {
    if (Failed()) return;
    exception_ = std::move(exception);
    XML_StopParser(raw_->parser, XML_FALSE);
}

void XmlParser::Feed(const char* data, std::size_t size, bool last) {
    if (exception_ != nullptr) std::rethrow_exception(exception_);
    if (!failure_.empty()) throw WorkbookError("la parte " + part_ + " " + failure_);
    do {
        const std::size_t piece = size > INT_MAX / 2 ? INT_MAX / 2 : size;
        const bool final = last && piece == size;
        if (XML_Parse(raw_->parser, data, static_cast<int>(piece), final ? XML_TRUE : XML_FALSE) ==
            XML_STATUS_ERROR) {
            if (exception_ != nullptr) std::rethrow_exception(exception_);
            if (!failure_.empty()) throw WorkbookError("la parte " + part_ + " " + failure_);
            const XML_Error code = XML_GetErrorCode(raw_->parser);
            throw WorkbookError("la parte " + part_ + " está dañada (XML no válido en la línea " +
                                std::to_string(XML_GetCurrentLineNumber(raw_->parser) + skippedLines_) + ": " +
                                XML_ErrorString(code) + ")");
        }
        data += piece;
        size -= piece;
    } while (size > 0);
}

void XmlParser::Skip(std::int64_t bytes, std::int64_t lines) {
    skippedBytes_ += bytes;
    skippedLines_ += lines;
}

std::int64_t XmlParser::EventOffset() const { return XML_GetCurrentByteIndex(raw_->parser) + skippedBytes_; }
std::int64_t XmlParser::EventLength() const { return XML_GetCurrentByteCount(raw_->parser); }

std::string_view LocalName(const char* name) {
    // Asked twice for every element of a sheet: one pass over the short name
    // finds both its end and its last colon.
    const char* local = name;
    const char* at = name;
    for (; *at != '\0'; ++at)
        if (*at == ':') local = at + 1;
    return {local, static_cast<std::size_t>(at - local)};
}

const char* FindAttribute(const char** attributes, std::string_view name) {
    for (const char** at = attributes; *at != nullptr; at += 2)
        if (std::strncmp(*at, name.data(), name.size()) == 0 && (*at)[name.size()] == '\0') return at[1];
    return nullptr;
}

}  // namespace trevalco::workbook
