// A streaming XML parser (expat) that refuses document type declarations and
// turns every failure into a WorkbookError naming the part. Nothing is thrown
// through expat: a handler calls Fail(), which stops the parser, and the
// error is raised once control is back in C++; an exception a handler throws
// is caught at its edge, stops the parser the same way and is thrown again
// from Feed as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace trevalco::workbook {

class XmlParser;

// Receives the events of one document. Names come as written, with any
// prefix ("x:c"); LocalName() strips it.
class XmlHandler {
public:
    virtual void OnStart(const char* name, const char** attributes) = 0;
    virtual void OnEnd(const char* name) = 0;
    virtual void OnText(std::string_view) {}
    // A comment, processing instruction or CDATA section.
    virtual void OnOther() {}

protected:
    ~XmlHandler() = default;
};

class XmlParser {
public:
    // `part` names the document in messages ("xl/workbook.xml").
    XmlParser(XmlHandler& handler, std::string part);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Feeds the next piece of the document; `last` on the final one (which
    // may be empty). Throws WorkbookError when the document is damaged or a
    // handler failed.
    void Feed(const char* data, std::size_t size, bool last);
    void Parse(std::string_view whole) { Feed(whole.data(), whole.size(), true); }
    // Notes that `bytes` of the document holding `lines` line ends, at the
    // current position, were parsed elsewhere: offsets and line numbers
    // count them.
    void Skip(std::int64_t bytes, std::int64_t lines);

    // Stops the parse; Feed then throws WorkbookError with this reason.
    void Fail(std::string reason);
    // Stops the parse; Feed then throws this exception.
    void Abort(std::exception_ptr exception);
    bool Failed() const { return !failure_.empty() || exception_ != nullptr; }

    // Byte offset in the document where the current event starts, and its
    // length (0 for the end of an empty element). Valid inside handlers.
    std::int64_t EventOffset() const;
    std::int64_t EventLength() const;

    struct Raw;

private:
    std::unique_ptr<Raw> raw_;
    std::string part_;
    std::string failure_;
    std::exception_ptr exception_;
    std::int64_t skippedBytes_ = 0;
    std::int64_t skippedLines_ = 0;
};

// The part of an element or attribute name after its prefix.
std::string_view LocalName(const char* name);

// The value of an attribute by its full name, or nullptr.
const char* FindAttribute(const char** attributes, std::string_view name);

}  // namespace trevalco::workbook
