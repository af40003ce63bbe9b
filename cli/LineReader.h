// Reads a stream line by line in large blocks, holding at most one block and
// one line in memory whatever the length of the stream.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace trevalco::cli {

class LineReader {
public:
    static constexpr std::size_t kBlockSize = 1 << 20;
    // Longer lines are not points; they are consumed and reported as overlong.
    static constexpr std::size_t kMaxLineLength = 1 << 16;

    explicit LineReader(std::FILE* stream);

    // The next line without its line end; false at the end of the stream.
    // An overlong line comes back empty with overlong set.
    bool Next(std::string_view& line, bool& overlong);
    bool Failed() const { return failed_; }

private:
    bool Fill();

    std::FILE* stream_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

}  // namespace trevalco::cli
