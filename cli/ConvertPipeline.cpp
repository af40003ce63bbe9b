#include "ConvertPipeline.h"

#include <algorithm>
#include <thread>

#include "RowMessages.h"

namespace trevalco::cli {

void ConvertPipeline::Batch::Clear() {
    text.clear();
    ends.clear();
    overlong.clear();
    output.clear();
    problems.clear();
}

ConvertPipeline::ConvertPipeline(const LineConverter& converter, unsigned workers, std::size_t skipLines)
    : converter_(converter), workers_(std::max(1U, workers)), skipLines_(skipLines), batches_(2 * workers_) {}

bool ConvertPipeline::Fill(LineReader& reader, Batch& batch, std::size_t& lineNumber) const {
    batch.Clear();
    batch.firstLine = lineNumber + 1;
    std::string_view line;
    bool overlong = false;
    while (batch.ends.size() < kLinesPerBatch && reader.Next(line, overlong)) {
        // A byte-order mark before the first line (files saved as UTF-8 by
        // spreadsheets) is not part of its first field.
        if (++lineNumber == 1 && skipLines_ == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
        batch.text += line;
        batch.ends.push_back(batch.text.size());
        batch.overlong.push_back(overlong);
    }
    return !batch.ends.empty();
}

void ConvertPipeline::Convert(Batch& batch) const {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < batch.ends.size(); ++i) {
        const std::string_view line(batch.text.data() + begin, batch.ends[i] - begin);
        begin = batch.ends[i];
        LineResult result;
        if (batch.firstLine + i <= skipLines_ && !batch.overlong[i]) {
            batch.output += line;  // a header line, as it stands
        } else if (batch.overlong[i]) {
            batch.output += "*\t*\t*\t*\t*\t*\t*\t*\t*\t*";
            result = {LineOutcome::Rejected, std::string(kInvalidRow)};
        } else {
            result = converter_.Convert(line, batch.output);
        }
        batch.output += '\n';
        if (result.outcome == LineOutcome::Rejected)
            batch.problems.emplace_back(batch.firstLine + i, std::move(result.reason));
    }
}

bool ConvertPipeline::Write(std::size_t first, std::size_t count, std::FILE* out, std::FILE* err,
                            PipelineResult& result) const {
    for (std::size_t b = first; b < first + count; ++b) {
        const Batch& batch = batches_[b];
        for (const auto& [number, reason] : batch.problems) {
            std::string_view text = reason;
            while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
            std::fprintf(err, "trevalco-cli: línea %zu: %.*s\n", number,
                         static_cast<int>(text.size()), text.data());
            result.allConverted = false;
        }
        if (std::fwrite(batch.output.data(), 1, batch.output.size(), out) != batch.output.size()) {
            result.writeFailed = true;
            return false;
        }
    }
    return true;
}

PipelineResult ConvertPipeline::Run(std::FILE* in, std::FILE* out, std::FILE* err) {
    // Two rounds of batches: while the workers convert one, this thread
    // writes the one converted before and fills it with the next lines.
    PipelineResult result;
    LineReader reader(in);
    std::size_t lineNumber = 0;
    const auto fillRound = [&](std::size_t first) {
        std::size_t filled = 0;
        while (filled < workers_ && Fill(reader, batches_[first + filled], lineNumber)) ++filled;
        return filled;
    };
    std::size_t converting = 0;  // first batch of the round being converted
    std::size_t count = fillRound(converting);
    std::size_t written = 0;     // batches of the other round waiting to be written
    while (count > 0) {
        const std::size_t other = workers_ - converting;
        std::size_t next = 0;
        {
            std::vector<std::jthread> helpers;
            for (std::size_t b = converting; b < converting + count; ++b)
                helpers.emplace_back([this, b] { Convert(batches_[b]); });
            if (!Write(other, written, out, err, result)) return result;
            if (count == workers_) next = fillRound(other);
        }
        written = count;
        count = next;
        converting = other;
    }
    if (!Write(workers_ - converting, written, out, err, result)) return result;
    result.readFailed = reader.Failed();
    return result;
}

}  // namespace trevalco::cli
