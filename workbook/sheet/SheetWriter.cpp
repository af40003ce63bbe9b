#include "SheetWriter.h"

#include <algorithm>
#include <cstring>

#include "WorkbookError.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kChunk = 1 << 17;

std::string_view PrefixOf(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon == nullptr ? std::string_view() : std::string_view(name, static_cast<std::size_t>(colon - name + 1));
}

}  // namespace

SheetWriter::SheetWriter(std::unique_ptr<PartSource> original, const WrittenCells& written, Options options,
                         std::string part)
    : original_(std::move(original)),
      anyWritten_(!written.Empty()),
      dimension_(std::move(options.dimension)),
      selected_(options.selected),
      part_(std::move(part)),
      copied_(out_),
      parser_(*this, part_),
      rules_(written, options.styles, part_),
      parsedRows_(rules_, copied_, parser_, out_, options.freshFormulas || !written.Empty()),
      layout_(options.rows) {
    // The one place where the rows' way is chosen.
    if (layout_.plain) {
        plainRows_.emplace(rules_, options.styles, out_, part_);
        rowsPending_ = true;
    }
}

std::size_t SheetWriter::Read(char* buffer, std::size_t size) {
    while (outAt_ == out_.size() && !finished_) {
        out_.clear();
        outAt_ = 0;
        Pump();
    }
    const std::size_t count = std::min(size, out_.size() - outAt_);
    std::memcpy(buffer, out_.data() + outAt_, count);
    outAt_ += count;
    return count;
}

void SheetWriter::Pump() {
    if (!inputDone_) {
        input_.resize(kChunk);
        const std::size_t got = original_->Read(input_.data(), kChunk);
        inputDone_ = got == 0;
        const std::int64_t at = inputAt_;
        inputAt_ += static_cast<std::int64_t>(got);
        if (plainRows_) SendRowsAround(input_.data(), got, at);
        else Parse(input_.data(), got, inputDone_);
    }
    if (inputDone_) Finish();
}

void SheetWriter::SendRowsAround(const char* data, std::size_t size, std::int64_t at) {
    // Expat sees an empty sheetData.
    const auto local = [&](std::int64_t offset) {
        return static_cast<std::size_t>(std::clamp<std::int64_t>(offset - at, 0, static_cast<std::int64_t>(size)));
    };
    const std::size_t start = local(layout_.start);
    const std::size_t end = local(layout_.end);
    Parse(data, start, false);
    if (end > start || (!rowsStarted_ && at + static_cast<std::int64_t>(size) >= layout_.end)) {
        if (!rowsStarted_) copied_.CopyTo(layout_.start);
        rowsStarted_ = true;
        rowsPending_ = at + static_cast<std::int64_t>(end) != layout_.end;
        plainRows_->Take(data + start, end - start, !rowsPending_);
    }
    Parse(data + end, size - end, inputDone_);
}

void SheetWriter::Finish() {
    if (rowsPending_) throw WorkbookError("la parte " + part_ + " cambió mientras se guardaba");
    copied_.CopyAll();
    if (anyWritten_ && !sawSheetData_)
        throw WorkbookError("la parte " + part_ + " no tiene zona de celdas (sheetData): no se puede escribir en ella");
    finished_ = true;
}

void SheetWriter::Parse(const char* data, std::size_t size, bool last) {
    parser_.Feed(copied_.Take(data, size), size, last);
    copied_.Release(kChunk);
}

void SheetWriter::OnStart(const char* name, const char** attributes) {
    ++depth_;
    if (skipDepth_ != 0) return;
    if (inSheetData_ && depth_ >= 3) {
        parsedRows_.OnStart(name, attributes, depth_);
    } else if (depth_ == 2) {
        const std::string_view local = LocalName(name);
        inCols_ = local == "cols";
        inSheetViews_ = local == "sheetViews";
        if (local == "dimension" && !dimension_.empty()) {
            copied_.CopyTo(parser_.EventOffset());
            out_ += '<';
            out_ += name;
            out_ += " ref=\"" + dimension_ + "\"/>";
            skipDepth_ = depth_;
        } else if (local == "sheetData") {
            inSheetData_ = true;
            rules_.SetPrefix(PrefixOf(name));
            sheetDataName_ = name;
            sheetDataStart_ = parser_.EventOffset();
        }
    } else if (depth_ == 3 && inCols_ && LocalName(name) == "col") {
        StartColumn(attributes);
    } else if (depth_ == 3 && inSheetViews_ && selected_ && LocalName(name) == "sheetView") {
        StartSheetView(name, attributes);
    }
}

void SheetWriter::OnText(std::string_view text) { parsedRows_.OnText(text); }

void SheetWriter::OnEnd(const char* name) {
    if (depth_ == 2) inCols_ = inSheetViews_ = false;
    if (skipDepth_ != 0) {
        if (depth_ == skipDepth_) {
            copied_.SkipTo(parser_.EventOffset() + parser_.EventLength());
            skipDepth_ = 0;
        }
    } else if (inSheetData_ && depth_ >= 3) {
        parsedRows_.OnEnd(name, depth_);
    } else if (depth_ == 2 && inSheetData_) {
        EndSheetData();
    } else if (depth_ <= 3) {
        copied_.CopyTo(parser_.EventOffset() + parser_.EventLength());
    }
    --depth_;
}

void SheetWriter::StartColumn(const char** attributes) {
    const auto style = ParsedAttribute(attributes, "style");
    if (!style) return;
    const auto first = static_cast<std::int32_t>(StyleNumber(ParsedAttribute(attributes, "min")));
    const auto max = ParsedAttribute(attributes, "max");
    const auto last = max ? static_cast<std::int32_t>(StyleNumber(max)) : first;
    rules_.AddColumnStyle(first, last, StyleNumber(style));
}

void SheetWriter::StartSheetView(const char* name, const char** attributes) {
    // Only the sheet made active is selected, so that no sheets are grouped.
    const std::int64_t offset = parser_.EventOffset();
    const std::int64_t length = parser_.EventLength();
    copied_.CopyTo(offset);
    out_ += '<';
    out_ += name;
    const char* view = FindAttribute(attributes, "workbookViewId");
    if (*selected_ && (view == nullptr || std::strcmp(view, "0") == 0)) out_ += " tabSelected=\"1\"";
    for (const char** at = attributes; *at != nullptr; at += 2) {
        if (std::strcmp(*at, "tabSelected") == 0) continue;
        out_ += ' ';
        out_ += *at;
        out_ += "=\"";
        AppendEscaped(out_, at[1]);
        out_ += '"';
    }
    out_ += copied_.StartTagIsEmpty(offset, length) ? "/>" : ">";
    copied_.SkipTo(offset + length);
}

void SheetWriter::EndSheetData() {
    const std::int64_t offset = parser_.EventOffset();
    const std::int64_t length = parser_.EventLength();
    if (length == 0) {
        // <sheetData/>: opened, so that the new rows have a place.
        copied_.CopyTo(sheetDataStart_);
        copied_.SkipTo(offset);
        out_ += '<';
        out_ += sheetDataName_;
        out_ += '>';
        rules_.AddRows(out_, 0);
        out_ += "</";
        out_ += sheetDataName_;
        out_ += '>';
    } else {
        copied_.CopyTo(offset);
        rules_.AddRows(out_, 0);
        copied_.CopyTo(offset + length);
    }
    inSheetData_ = false;
    sawSheetData_ = true;
}

}  // namespace trevalco::workbook
