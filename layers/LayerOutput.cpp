#include "LayerOutput.h"

#include <unistd.h>

#include <memory>
#include <random>
#include <vector>

#include "Gdal.h"
#include "LayerFormat.h"
#include "Leftovers.h"
#include "PendingFile.h"

namespace trevalco::layers {

namespace fs = std::filesystem;

namespace {

// Files other programs keep beside a shapefile that describe the old .shp
// (spatial indexes, metadata): they must go with it, or a reader would use
// them with the new one.
constexpr const char* kStaleCompanions[] = {".qix", ".sbn", ".sbx", ".shp.xml", ".qpj", ".cpg", ".prj"};

fs::path FolderOf(const fs::path& output) { return output.has_parent_path() ? output.parent_path() : fs::path("."); }

fs::path NewFolderName(const fs::path& output) {
    std::random_device random;
    return FolderOf(output) / ("." + output.filename().string() + LayerOutput::kMarker + std::to_string(::getpid()) +
                               "-" + std::to_string(random() % 100000));
}

// The stem shared by a set's files: the name without its last extension.
std::string SetStem(const fs::path& output) { return output.stem().string(); }

}  // namespace

LayerOutput::LayerOutput(fs::path output, bool replace) : output_(std::move(output)), replace_(replace) {
    const fs::path folder = FolderOf(output_);
    output::RemoveLeftovers(folder);
    RemoveLeftoverFolders(folder);
    pid_t holder = 0;
    try {
        lock_ = output::OutputLock::Take(output_, &holder);
    } catch (const std::exception& error) {
        throw LayerError(std::string("no se puede escribir en la carpeta de «") + output_.string() + "»: " + error.what());
    }
    if (!lock_)
        throw LayerError("otra conversión (proceso " + std::to_string(holder) + ") está escribiendo «" +
                         output_.string() + "»");
    std::error_code exists;
    if (!replace_ && fs::exists(output_, exists))
        throw LayerError("ya existe «" + output_.string() + "»; use --overwrite para reemplazarlo");
    for (int attempt = 0; folder_.empty(); ++attempt) {
        const fs::path candidate = NewFolderName(output_);
        std::error_code error;
        if (fs::create_directory(candidate, error)) folder_ = candidate;
        else if (error || attempt > 100)
            throw LayerError("no se pudo crear la carpeta temporal de «" + output_.string() + "»: " + error.message());
    }
}

LayerOutput::~LayerOutput() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

void LayerOutput::Commit() {
    const std::string stem = SetStem(output_);
    const fs::path target = FolderOf(output_);
    // Staged beside the output under temporary names; removed unless moved.
    std::vector<std::unique_ptr<output::PendingFile>> companions;
    std::unique_ptr<output::PendingFile> main;
    try {
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const fs::path name = entry.path().filename();
            if (!name.string().starts_with(stem + ".")) continue;  // GDAL's scratch files, the DXF header
            auto staged = std::make_unique<output::PendingFile>(target / name);
            fs::rename(entry.path(), staged->TemporaryPath());
            (name == output_.filename() ? main : companions.emplace_back()) = std::move(staged);
        }
        if (!main) throw LayerError("GDAL no escribió «" + output_.filename().string() + "»");
        if (!companions.empty()) {
            if (replace_) fs::remove(output_);
            if (FormatOf(output_) && FormatOf(output_)->kind == FormatKind::Shapefile)
                for (const char* extension : kStaleCompanions) fs::remove(target / (stem + extension));
            for (auto& companion : companions) companion->Commit(output::ExistingFile::Replace);
        }
        main->Commit(replace_ ? output::ExistingFile::Replace : output::ExistingFile::Keep);
    } catch (const LayerError&) {
        throw;
    } catch (const std::exception& error) {
        throw LayerError("no se pudo poner «" + output_.string() + "» en su lugar: " + error.what());
    }
}

void RemoveLeftoverFolders(const fs::path& folder) noexcept try {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        const auto pid = output::ProcessInName(name, LayerOutput::kMarker);
        std::error_code ignored;
        if (name.starts_with(".") && pid && !output::ProcessExists(*pid) && entry.is_directory(ignored))
            fs::remove_all(entry.path(), ignored);
    }
} catch (...) {
    // A folder that cannot be listed to its end keeps what was not reached.
}

}  // namespace trevalco::layers
