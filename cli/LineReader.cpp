#include "LineReader.h"

#include <cstring>

namespace trevalco::cli {

LineReader::LineReader(std::FILE* stream) : stream_(stream), buffer_(kBlockSize + kMaxLineLength) {}

bool LineReader::Fill() {
    if (eof_) return false;
    // Keep the unfinished line at the front, then read behind it.
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const std::size_t room = buffer_.size() - end_;
    const std::size_t read = std::fread(buffer_.data() + end_, 1, room, stream_);
    end_ += read;
    if (read < room) {
        eof_ = true;
        failed_ = std::ferror(stream_) != 0;
    }
    return read > 0;
}

bool LineReader::Next(std::string_view& line, bool& overlong) {
    overlong = false;
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        if (newline != nullptr) {
            const auto length = static_cast<std::size_t>(newline - start);
            line = std::string_view(start, length);
            begin_ += length + 1;
            if (length > kMaxLineLength) overlong = true;
            if (overlong) line = {};
            return true;
        }
        if (end_ - begin_ > kMaxLineLength) {
            // Drop what is held of an overlong line and keep looking for its end.
            overlong = true;
            begin_ = end_;
        }
        if (!Fill()) {
            if (begin_ == end_ && !overlong) return false;
            line = overlong ? std::string_view() : std::string_view(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
    }
}

}  // namespace trevalco::cli
