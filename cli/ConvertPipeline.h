// Runs a LineConverter over a stream on every core: lines are read in
// batches, the batches of one round are converted side by side while the
// round before is written (in input order) and the next one read. Memory
// stays bounded by two rounds.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "LineConverter.h"
#include "LineReader.h"

namespace trevalco::cli {

struct PipelineResult {
    bool allConverted = true;
    bool readFailed = false;
    bool writeFailed = false;
};

class ConvertPipeline {
public:
    static constexpr std::size_t kLinesPerBatch = 8192;

    // The first `skipLines` lines (a header) are passed through as they stand.
    ConvertPipeline(const LineConverter& converter, unsigned workers, std::size_t skipLines = 0);

    PipelineResult Run(std::FILE* in, std::FILE* out, std::FILE* err);

private:
    // A cache line or more each: a worker updates its batch's output on
    // every field while this thread fills the next round's batches, and
    // batches sharing a line would take it from each other at every write.
    struct alignas(64) Batch {
        std::size_t firstLine = 0;          // number of its first line, from 1
        std::string text;                   // the lines, back to back
        std::vector<std::size_t> ends;      // end of each line in text
        std::vector<bool> overlong;         // lines too long to be points
        std::string output;                 // converted lines, each with its line end
        std::vector<std::pair<std::size_t, std::string>> problems;  // line number, reason

        void Clear();
    };

    // Reads up to kLinesPerBatch lines; false when the stream had none left.
    bool Fill(LineReader& reader, Batch& batch, std::size_t& lineNumber) const;
    void Convert(Batch& batch) const;
    // Writes `count` converted batches from `first`; false when writing failed.
    bool Write(std::size_t first, std::size_t count, std::FILE* out, std::FILE* err,
               PipelineResult& result) const;

    const LineConverter& converter_;
    std::size_t workers_;
    std::size_t skipLines_;
    std::vector<Batch> batches_;
};

}  // namespace trevalco::cli
