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

ConvertPipeline::ConvertPipeline(const LineConverter& converter, unsigned workers)
    : converter_(converter), batches_(std::max(1U, workers)) {}

bool ConvertPipeline::Fill(LineReader& reader, Batch& batch, std::size_t& lineNumber) const {
    batch.Clear();
    batch.firstLine = lineNumber + 1;
    std::string_view line;
    bool overlong = false;
    while (batch.ends.size() < kLinesPerBatch && reader.Next(line, overlong)) {
        ++lineNumber;
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
        if (batch.overlong[i]) {
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

PipelineResult ConvertPipeline::Run(std::FILE* in, std::FILE* out, std::FILE* err) {
    PipelineResult result;
    LineReader reader(in);
    std::size_t lineNumber = 0;
    for (;;) {
        std::size_t filled = 0;
        while (filled < batches_.size() && Fill(reader, batches_[filled], lineNumber)) ++filled;
        if (filled == 0) break;
        {
            // The first batch is converted here, the others beside it.
            std::vector<std::jthread> helpers;
            for (std::size_t b = 1; b < filled; ++b)
                helpers.emplace_back([this, b] { Convert(batches_[b]); });
            Convert(batches_[0]);
        }
        for (std::size_t b = 0; b < filled; ++b) {
            const Batch& batch = batches_[b];
            for (const auto& [number, reason] : batch.problems) {
                std::string_view text = reason;
                while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
                while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
                std::fprintf(err, "trevalco-cli: line %zu: %.*s\n", number,
                             static_cast<int>(text.size()), text.data());
                result.allConverted = false;
            }
            if (std::fwrite(batch.output.data(), 1, batch.output.size(), out) !=
                batch.output.size()) {
                result.writeFailed = true;
                return result;
            }
        }
        if (filled < batches_.size()) break;
    }
    result.readFailed = reader.Failed();
    return result;
}

}  // namespace trevalco::cli
