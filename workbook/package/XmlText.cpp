#include "XmlText.h"

#include <cstdint>

namespace trevalco::workbook {

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// "_xHHHH_" starting at `at`.
bool IsEscapeAt(std::string_view text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    for (std::size_t i = at + 2; i < at + 6; ++i)
        if (!IsHex(text[i])) return false;
    return true;
}

void AppendHexEscape(std::string& out, unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
    out += '_';
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\t': out += "&#9;"; break;
            case '\n': out += "&#10;"; break;
            case '\r': out += "&#13;"; break;
            case '_':
                if (IsEscapeAt(text, i)) AppendHexEscape(out, '_');
                else out += c;
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) AppendHexEscape(out, static_cast<unsigned char>(c));
                else out += c;
        }
    }
}

void DecodeEscapes(std::string& text) {
    if (text.find("_x") == std::string::npos) return;
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (IsEscapeAt(text, i)) {
            std::uint32_t code = 0;
            for (std::size_t k = i + 2; k < i + 6; ++k) code = code * 16 + static_cast<std::uint32_t>(HexValue(text[k]));
            AppendUtf8(decoded, code);
            i += 7;
        } else {
            decoded += text[i++];
        }
    }
    text = std::move(decoded);
}

}  // namespace trevalco::workbook
