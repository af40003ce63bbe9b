#include "PackageWriter.h"

#include <zip.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "DeflatingSource.h"
#include "WorkbookError.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

namespace {

// One rewritten part as libzip pulls it while writing the archive: already
// deflated (light level, several threads), which libzip stores as it comes.
struct StreamedPart {
    std::function<std::unique_ptr<PartSource>()> make;
    std::unique_ptr<DeflatingSource> source;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;
    bool done = false;
    std::string failure;
    zip_error_t error{};

    StreamedPart() { zip_error_init(&error); }
    ~StreamedPart() { zip_error_fini(&error); }
    StreamedPart(const StreamedPart&) = delete;
    StreamedPart& operator=(const StreamedPart&) = delete;

    zip_int64_t Fail(std::string why) {
        if (failure.empty()) failure = std::move(why);
        zip_error_set(&error, ZIP_ER_INTERNAL, 0);
        return -1;
    }
};

zip_int64_t Pull(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& part = *static_cast<StreamedPart*>(state);
    try {
        switch (command) {
            case ZIP_SOURCE_OPEN:
                part.source = std::make_unique<DeflatingSource>(part.make());
                return 0;
            case ZIP_SOURCE_READ:
                if (!part.source) return part.Fail("la parte no estaba abierta");
                return static_cast<zip_int64_t>(part.source->Read(static_cast<char*>(data), length));
            case ZIP_SOURCE_CLOSE:
                if (part.source && part.source->Finished()) {
                    part.crc = part.source->Crc();
                    part.size = part.source->PlainSize();
                    part.done = true;
                }
                part.source.reset();
                return 0;
            case ZIP_SOURCE_STAT: {
                auto* stat = static_cast<zip_stat_t*>(data);
                zip_stat_init(stat);
                stat->mtime = std::time(nullptr);
                stat->comp_method = ZIP_CM_DEFLATE;
                stat->valid |= ZIP_STAT_MTIME | ZIP_STAT_COMP_METHOD;
                if (part.done) {
                    stat->crc = part.crc;
                    stat->size = part.size;
                    stat->valid |= ZIP_STAT_CRC | ZIP_STAT_SIZE;
                }
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&part.error, data, length);
            case ZIP_SOURCE_FREE:
                return 0;
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                                      ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
            default:
                zip_error_set(&part.error, ZIP_ER_OPNOTSUPP, 0);
                return -1;
        }
    } catch (const std::exception& error) {
        return part.Fail(error.what());
    }
}

struct Discard {
    void operator()(zip* archive) const { zip_discard(archive); }
};

std::string ZipFailure(zip* archive) {
    const char* text = zip_strerror(archive);
    return std::string("no se pudo escribir el libro (") + (text ? text : "error desconocido") + ")";
}

}  // namespace

void WritePackage(const ZipArchive& source, const std::filesystem::path& file, const PackageChanges& changes) {
    int code = 0;
    std::unique_ptr<zip, Discard> target(zip_open(file.c_str(), ZIP_CREATE | ZIP_EXCL, &code));
    if (!target) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw WorkbookError("no se pudo crear el archivo (" + text + ")");
    }

    std::vector<std::unique_ptr<StreamedPart>> streamed;
    std::vector<std::uint64_t> order;
    std::vector<std::uint64_t> deferred;
    for (std::uint64_t i = 0; i < source.EntryCount(); ++i) {
        const bool isLast = std::find(changes.last.begin(), changes.last.end(), source.EntryName(i)) != changes.last.end();
        (isLast ? deferred : order).push_back(i);
    }
    order.insert(order.end(), deferred.begin(), deferred.end());
    for (const std::uint64_t i : order) {
        const std::string name = source.EntryName(i);
        if (changes.dropped.contains(name)) continue;
        zip_stat_t stat;
        zip_stat_index(source.Handle(), i, 0, &stat);
        zip_source_t* data = nullptr;
        const auto replaced = changes.replaced.find(name);
        if (replaced != changes.replaced.end()) {
            auto part = std::make_unique<StreamedPart>();
            part->make = replaced->second;
            data = zip_source_function(target.get(), Pull, part.get());
            streamed.push_back(std::move(part));
        } else {
            // Copied as it is stored: never inflated and deflated again.
            data = zip_source_zip(target.get(), source.Handle(), i, ZIP_FL_COMPRESSED, 0, -1);
        }
        if (data == nullptr) throw WorkbookError(ZipFailure(target.get()));
        const zip_int64_t added = zip_file_add(target.get(), name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (added < 0) {
            zip_source_free(data);
            throw WorkbookError(ZipFailure(target.get()));
        }
        const auto index = static_cast<zip_uint64_t>(added);
        if (replaced != changes.replaced.end()) {
            zip_set_file_compression(target.get(), index, ZIP_CM_DEFLATE, 1);
        } else {
            if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_STORE)
                zip_set_file_compression(target.get(), index, ZIP_CM_STORE, 0);
            if (stat.valid & ZIP_STAT_MTIME) zip_file_set_mtime(target.get(), index, stat.mtime, 0);
            zip_uint8_t system = 0;
            zip_uint32_t attributes = 0;
            if (zip_file_get_external_attributes(source.Handle(), i, 0, &system, &attributes) == 0)
                zip_file_set_external_attributes(target.get(), index, 0, system, attributes);
        }
    }
    if (zip_close(target.get()) != 0) {
        std::string why = ZipFailure(target.get());
        for (const auto& part : streamed)
            if (!part->failure.empty()) why = part->failure;
        throw WorkbookError(why);
    }
    (void)target.release();  // zip_close freed it
}

}  // namespace trevalco::workbook
