// Element content written in the plain subset of XML that sheets of values
// are saved in: names of ASCII letters, digits and "_:.-"; attribute values
// and text of printable ASCII (text also with tabs and line feeds); no
// references, comments, CDATA sections, processing instructions or carriage
// returns. Such content is scanned here several times faster than expat
// parses it, giving the handler the events expat would give (a text may
// come in other pieces).
#pragma once

#include <string_view>

#include "XmlParser.h"

namespace trevalco::workbook {

// Gives `handler` the events of `content` (what lies between a start tag and
// its end tag). Returns false as soon as the content strays from the plain
// subset or is not well formed; the handler has then had only part of the
// events, and the caller parses the content with expat instead, which also
// tells what is wrong.
bool ScanPlainContent(std::string_view content, XmlHandler& handler);

}  // namespace trevalco::workbook
