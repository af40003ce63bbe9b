#include "ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

#include "Deflate.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

namespace {

std::string OpenFailure(int code) {
    switch (code) {
        case ZIP_ER_NOENT: return "el archivo no existe";
        case ZIP_ER_OPEN: return "no se pudo abrir el archivo (¿sin permiso de lectura o bloqueado?)";
        case ZIP_ER_READ: return "no se pudo leer el archivo";
        case ZIP_ER_MEMORY: return "no hay memoria suficiente para abrirlo";
        case ZIP_ER_NOZIP:
            return "no es un libro .xlsx válido (no es un paquete zip; puede estar dañado o "
                   "protegido con contraseña)";
        default: return "no es un libro .xlsx válido (el paquete zip está dañado)";
    }
}

}  // namespace

void ZipArchive::Closer::operator()(zip* archive) const { zip_discard(archive); }
void ZipArchive::Reader::Closer::operator()(zip_file* file) const { zip_fclose(file); }

ZipArchive::ZipArchive(zip* archive, const PackageLimits& limits) : archive_(archive), limits_(limits) {
    CheckEntries();
}
ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

ZipArchive ZipArchive::OpenFile(const std::filesystem::path& path, const PackageLimits& limits) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) throw WorkbookError("es una carpeta, no un libro");
    int code = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (archive == nullptr) throw WorkbookError(OpenFailure(code));
    return ZipArchive(archive, limits);
}

ZipArchive ZipArchive::OpenBytes(std::span<const char> bytes, const PackageLimits& limits) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        throw WorkbookError(OpenFailure(ZIP_ER_MEMORY));
    }
    zip* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr) {
        const int code = zip_error_code_zip(&error);
        zip_source_free(source);
        zip_error_fini(&error);
        throw WorkbookError(OpenFailure(code));
    }
    zip_error_fini(&error);
    return ZipArchive(archive, limits);
}

void ZipArchive::CheckEntries() const {
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits_.maxEntries)
        throw WorkbookError("el paquete tiene demasiadas partes para ser un libro");
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive_.get(), i, 0, &stat) != 0)
            throw WorkbookError("el paquete zip está dañado");
        const std::string name = (stat.valid & ZIP_STAT_NAME) ? stat.name : "?";
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            throw WorkbookError("la parte " + name + " está cifrada");
        if ((stat.valid & ZIP_STAT_COMP_METHOD) && !zip_compression_method_supported(stat.comp_method, 0))
            throw WorkbookError("la parte " + name + " usa una compresión no admitida");
        const std::uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
        const std::uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        if (size > limits_.maxEntryBytes)
            throw WorkbookError("la parte " + name + " es demasiado grande (" + std::to_string(size >> 20) +
                                " MB descomprimida)");
        if (size > limits_.ratioFloorBytes && size / limits_.maxRatio > packed)
            throw WorkbookError("la parte " + name +
                                " se expande de forma desmedida al descomprimirla (posible bomba zip)");
        total += size;
        if (total > limits_.maxTotalBytes)
            throw WorkbookError("el paquete descomprimido es demasiado grande para ser un libro");
    }
}

std::uint64_t ZipArchive::EntryCount() const {
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    return count < 0 ? 0 : static_cast<std::uint64_t>(count);
}

std::string ZipArchive::EntryName(std::uint64_t index) const {
    const char* name = zip_get_name(archive_.get(), index, 0);
    return name == nullptr ? std::string() : std::string(name);
}

std::optional<std::uint64_t> ZipArchive::Find(std::string_view name) const {
    if (!name.empty() && name.front() == '/') name.remove_prefix(1);
    const std::string key(name);
    zip_int64_t index = zip_name_locate(archive_.get(), key.c_str(), 0);
    // Part names are case-insensitive in the package format.
    if (index < 0) index = zip_name_locate(archive_.get(), key.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return std::nullopt;
    return static_cast<std::uint64_t>(index);
}

std::string ZipArchive::ReadSmall(std::uint64_t index) const {
    Reader reader(*this, index);
    std::string whole;
    char buffer[1 << 16];
    for (std::size_t got; (got = reader.Read(buffer, sizeof buffer)) > 0;) {
        whole.append(buffer, got);
        if (whole.size() > limits_.maxSmallPartBytes)
            throw WorkbookError("la parte " + EntryName(index) + " es demasiado grande");
    }
    return whole;
}

// A deflated entry read as stored, and inflated here.
struct ZipArchive::Reader::Inflater {
    deflate::RawInflater state;
    std::vector<std::uint8_t> packed = std::vector<std::uint8_t>(1 << 16);
    bool packedDone = false;
    std::uint32_t crc = 0;  // the directory's
};

ZipArchive::Reader::Reader(const ZipArchive& archive, std::uint64_t index)
    : name_(archive.EntryName(index)), limit_(archive.limits_.maxEntryBytes) {
    zip_stat_t stat;
    if (zip_stat_index(archive.Handle(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        throw WorkbookError("la parte " + name_ + " está dañada");
    declared_ = stat.size;
    const bool deflated = (stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_DEFLATE &&
                          (stat.valid & ZIP_STAT_CRC);
    file_.reset(zip_fopen_index(archive.Handle(), index, deflated ? ZIP_FL_COMPRESSED : 0));
    if (!file_) throw WorkbookError("la parte " + name_ + " no se puede leer (el paquete está dañado)");
    if (deflated) {
        inflater_ = std::make_unique<Inflater>();
        inflater_->crc = stat.crc;
    }
}

ZipArchive::Reader::Reader(Reader&&) noexcept = default;
ZipArchive::Reader::~Reader() = default;

std::size_t ZipArchive::Reader::Read(char* buffer, std::size_t size) {
    if (inflater_) return Checked(Inflate(buffer, size));
    const zip_int64_t got = zip_fread(file_.get(), buffer, size);
    if (got < 0) throw WorkbookError("la parte " + name_ + " está dañada (no se puede descomprimir)");
    return Checked(static_cast<std::size_t>(got));
}

std::size_t ZipArchive::Reader::Inflate(char* buffer, std::size_t size) {
    Inflater& inflater = *inflater_;
    deflate::RawInflater& state = inflater.state;
    const std::string damaged = "la parte " + name_ + " está dañada (no se puede descomprimir)";
    std::size_t got = 0;
    while (got == 0 && size > 0 && !state.Finished()) {
        if (state.NeedsInput()) {
            if (inflater.packedDone) throw WorkbookError(damaged);  // the stream stops short
            const zip_int64_t read = zip_fread(file_.get(), inflater.packed.data(), inflater.packed.size());
            if (read < 0) throw WorkbookError(damaged);
            inflater.packedDone = read == 0;
            state.Give(inflater.packed.data(), static_cast<std::size_t>(read));
        }
        const std::optional<std::size_t> made = state.Inflate(buffer, size);
        if (!made) throw WorkbookError(damaged);
        got = *made;
    }
    if (got == 0 && (state.Crc() != inflater.crc || done_ != declared_)) throw WorkbookError(damaged);
    return got;
}

std::size_t ZipArchive::Reader::Checked(std::size_t got) {
    done_ += static_cast<std::uint64_t>(got);
    // Reading never goes past what the directory promised, so a lying size
    // cannot bypass the checks made when the package was opened.
    if (done_ > declared_ || done_ > limit_)
        throw WorkbookError("la parte " + name_ + " es más grande de lo que declara el paquete");
    return got;
}

}  // namespace trevalco::workbook
