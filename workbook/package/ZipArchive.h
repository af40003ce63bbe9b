// A workbook package opened read-only with libzip, its entries checked
// against PackageLimits before anything is read. The file on disk is never
// changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "PackageLimits.h"

struct zip;
struct zip_file;

namespace trevalco::workbook {

class ZipArchive {
public:
    // Throws WorkbookError (the reason, without the file's name).
    static ZipArchive OpenFile(const std::filesystem::path& path, const PackageLimits& limits);
    // The bytes must outlive the archive.
    static ZipArchive OpenBytes(std::span<const char> bytes, const PackageLimits& limits);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    std::uint64_t EntryCount() const;
    std::string EntryName(std::uint64_t index) const;
    // The entry of a part name (without a leading "/"), if the package has it.
    std::optional<std::uint64_t> Find(std::string_view name) const;
    // A small part, whole (refused past limits.maxSmallPartBytes).
    std::string ReadSmall(std::uint64_t index) const;
    const PackageLimits& Limits() const { return limits_; }
    zip* Handle() const { return archive_.get(); }

    // Reads one entry piece by piece, stopping at the limits even when the
    // sizes in the directory lie. Deflated entries are inflated through
    // deflate::RawInflater and checked against their CRC.
    class Reader {
    public:
        Reader(const ZipArchive& archive, std::uint64_t index);
        Reader(Reader&&) noexcept;
        ~Reader();
        // Fills up to `size` bytes; 0 at the end.
        std::size_t Read(char* buffer, std::size_t size);

    private:
        struct Closer {
            void operator()(zip_file* file) const;
        };
        struct Inflater;
        std::size_t Inflate(char* buffer, std::size_t size);
        std::size_t Checked(std::size_t got);

        std::unique_ptr<zip_file, Closer> file_;
        std::unique_ptr<Inflater> inflater_;
        std::string name_;
        std::uint64_t declared_ = 0;
        std::uint64_t limit_ = 0;
        std::uint64_t done_ = 0;
    };

private:
    struct Closer {
        void operator()(zip* archive) const;
    };
    ZipArchive(zip* archive, const PackageLimits& limits);
    void CheckEntries() const;

    std::unique_ptr<zip, Closer> archive_;
    PackageLimits limits_;
};

}  // namespace trevalco::workbook

#include "PartSource.h"

namespace trevalco::workbook {

// An entry's content as a PartSource.
class EntrySource final : public PartSource {
public:
    EntrySource(const ZipArchive& archive, std::uint64_t index) : reader_(archive, index) {}
    std::size_t Read(char* buffer, std::size_t size) override { return reader_.Read(buffer, size); }

private:
    ZipArchive::Reader reader_;
};

}  // namespace trevalco::workbook
