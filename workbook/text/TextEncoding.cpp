#include "TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace trevalco::workbook {

namespace {

// One iconv conversion, closed when it goes.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Converter() {
        if (Usable()) ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` onto `out`; a byte (or character) the target cannot take
    // is replaced by `replacement` and skipped.
    void Append(std::string& out, std::string_view in, std::string_view replacement, bool utf8Input) {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // a fresh state for every text
        char* source = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buffer[1024];
        while (left > 0) {
            char* target = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = ::iconv(handle_, &source, &left, &target, &room);
            out.append(buffer, static_cast<std::size_t>(target - buffer));
            if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace the offending character and go on.
            out += replacement;
            std::size_t skip = 1;
            if (utf8Input) {
                const auto lead = static_cast<unsigned char>(*source);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (skip > left) skip = left;
            }
            source += skip;
            left -= skip;
        }
    }

private:
    iconv_t handle_;
};

Converter& FromWindows1252() {
    thread_local Converter converter("UTF-8", "WINDOWS-1252");
    return converter;
}

Converter& ToWindows1252() {
    thread_local Converter converter("WINDOWS-1252", "UTF-8");
    return converter;
}

// Windows-1252 without iconv: Latin-1 for 0xA0 and above, the replacement
// character for 0x80..0x9F. Used only if the C library lacks the table.
void Latin1ToUtf8(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            out += "\xEF\xBF\xBD";
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
}

}  // namespace

void Utf8Validator::Feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (!valid_) return;
        const auto byte = static_cast<unsigned char>(c);
        if (pending_ > 0) {
            if ((byte & 0xC0) != 0x80) {
                valid_ = false;
                return;
            }
            if (firstContinuation_) {
                // Overlong forms, surrogates and code points past U+10FFFF.
                if ((lead_ == 0xE0 && byte < 0xA0) || (lead_ == 0xED && byte > 0x9F) ||
                    (lead_ == 0xF0 && byte < 0x90) || (lead_ == 0xF4 && byte > 0x8F)) {
                    valid_ = false;
                    return;
                }
                firstContinuation_ = false;
            }
            --pending_;
            continue;
        }
        if (byte < 0x80) continue;
        if (byte >= 0xC2 && byte <= 0xDF) pending_ = 1;
        else if (byte >= 0xE0 && byte <= 0xEF) pending_ = 2;
        else if (byte >= 0xF0 && byte <= 0xF4) pending_ = 3;
        else {
            valid_ = false;
            return;
        }
        lead_ = byte;
        firstContinuation_ = true;
    }
}

bool IsAscii(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void AppendAsUtf8(std::string& out, std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8 || IsAscii(bytes)) {
        out += bytes;
        return;
    }
    Converter& converter = FromWindows1252();
    if (converter.Usable())
        converter.Append(out, bytes, "\xEF\xBF\xBD", false);
    else
        Latin1ToUtf8(out, bytes);
}

void AppendInEncoding(std::string& out, std::string_view utf8, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8 || IsAscii(utf8)) {
        out += utf8;
        return;
    }
    Converter& converter = ToWindows1252();
    if (converter.Usable()) {
        converter.Append(out, utf8, "?", true);
        return;
    }
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
}

}  // namespace trevalco::workbook
