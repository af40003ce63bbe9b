#include "GridFile.h"

#include <gdal_priv.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "Gdal.h"
#include "LayerCrs.h"
#include "LayerFormat.h"
#include "LayerOutput.h"

namespace trevalco::layers {

namespace fs = std::filesystem;

namespace {

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// GDAL's geotransform of a piece: the corner of its north-west cell, whose
// centre is the north-west node.
void GeoTransformOf(const GridPiece& piece, double* transform) {
    const double longitudeStep = piece.LongitudeStep(), latitudeStep = piece.LatitudeStep();
    transform[0] = -piece.west - longitudeStep / 2;
    transform[1] = longitudeStep;
    transform[2] = 0;
    transform[3] = -piece.north + latitudeStep / 2;
    transform[4] = 0;
    transform[5] = -latitudeStep;
}

void WriteBand(GDALDataset& dataset, int band, const GridPiece& piece, const std::vector<float>& values) {
    std::vector<float> copy = values;
    if (dataset.GetRasterBand(band)->RasterIO(GF_Write, 0, 0, piece.columns, piece.rows, copy.data(), piece.columns,
                                              piece.rows, GDT_Float32, 0, 0, nullptr) != CE_None)
        throw LayerError("no se pudo escribir la subgrilla " + piece.name + ": " + LastGdalMessage());
}

// One subgrid being written: closed when it goes, whatever happened.
class Subgrid {
public:
    Subgrid(const char* driverName, const fs::path& path, const GridPiece& piece, int bands,
            std::vector<std::string> options, bool first)
        : piece_(piece) {
        if (!first) options.emplace_back("APPEND_SUBDATASET=YES");
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
        OptionList list(options);
        if (driver != nullptr)
            dataset_ = driver->Create(path.c_str(), piece.columns, piece.rows, bands, GDT_Float32, list.Get());
        if (dataset_ == nullptr)
            throw LayerError("no se pudo crear la subgrilla " + piece.name + ": " + LastGdalMessage());
    }
    ~Subgrid() {
        if (dataset_ != nullptr) GDALClose(dataset_);
    }
    Subgrid(const Subgrid&) = delete;
    Subgrid& operator=(const Subgrid&) = delete;

    GDALDataset& operator*() const { return *dataset_; }
    GDALDataset* operator->() const { return dataset_; }

    // Closes it: GDAL writes what it kept back (headers, the last blocks).
    void Close() {
        CPLErrorReset();
        GDALClose(std::exchange(dataset_, nullptr));
        if (CPLGetLastErrorType() >= CE_Failure)
            throw LayerError("no se pudo escribir la subgrilla " + piece_.name + ": " + LastGdalMessage());
    }

private:
    const GridPiece& piece_;
    GDALDataset* dataset_ = nullptr;
};

void WriteNtv2(const ShiftGrid& grid, const GridLabel& label, const fs::path& path) {
    const Datum source = datums::SourceOf(grid.direction), target = datums::TargetOf(grid.direction);
    for (std::size_t i = 0; i < grid.pieces.size(); ++i) {
        const GridPiece& piece = grid.pieces[i];
        Subgrid dataset("NTv2", path, piece, 4,
                        {"VERSION=TREVALCO", "SYSTEM_F=" + std::string(NameOf(source)),
                         "SYSTEM_T=" + std::string(NameOf(target)), "SUB_NAME=" + piece.name, "PARENT=NONE",
                         "CREATED=" + label.version, "UPDATED=" + Upper(ShiftSetName(grid.shifts))},
                        i == 0);
        double transform[6];
        GeoTransformOf(piece, transform);
        dataset->SetGeoTransform(transform);
        if (i == 0) {
            // The driver takes the ellipsoids' axes as metadata only.
            const datums::Ellipsoids ellipsoids = datums::EllipsoidsFor(grid.direction);
            dataset->SetMetadataItem("MAJOR_F", Text(ellipsoids.source.a).c_str());
            dataset->SetMetadataItem("MINOR_F", Text(ellipsoids.source.b).c_str());
            dataset->SetMetadataItem("MAJOR_T", Text(ellipsoids.target.a).c_str());
            dataset->SetMetadataItem("MINOR_T", Text(ellipsoids.target.b).c_str());
        }
        WriteBand(*dataset, 1, piece, piece.latitudeOffsets);
        std::vector<float> west(piece.longitudeOffsets.size());
        std::ranges::transform(piece.longitudeOffsets, west.begin(), [](float east) { return -east; });
        WriteBand(*dataset, 2, piece, west);
        dataset.Close();
    }
}

void WriteGeoTiff(const ShiftGrid& grid, const GridLabel& label, const fs::path& path) {
    const Datum source = datums::SourceOf(grid.direction), target = datums::TargetOf(grid.direction);
    const OGRSpatialReference sourceCrs = SpatialReference(GeographicCode(source, kDefaultSirgas));
    for (std::size_t i = 0; i < grid.pieces.size(); ++i) {
        const GridPiece& piece = grid.pieces[i];
        Subgrid dataset("GTiff", path, piece, 2, {"COMPRESS=DEFLATE", "PREDICTOR=3", "INTERLEAVE=BAND"}, i == 0);
        dataset->SetSpatialRef(&sourceCrs);
        dataset->SetMetadataItem("AREA_OR_POINT", "Point");
        double transform[6];
        GeoTransformOf(piece, transform);
        dataset->SetGeoTransform(transform);
        dataset->SetMetadataItem("TYPE", "HORIZONTAL_OFFSET");
        dataset->SetMetadataItem("grid_name", piece.name.c_str());
        dataset->SetMetadataItem("target_crs_epsg_code",
                                 std::to_string(GeographicCode(target, kDefaultSirgas)).c_str());
        if (i == 0) {
            dataset->SetMetadataItem("TIFFTAG_IMAGEDESCRIPTION", GridDescription(grid, label).c_str());
            dataset->SetMetadataItem("area_of_use", "Chile continental");
        }
        const char* descriptions[] = {"latitude_offset", "longitude_offset"};
        for (int band = 1; band <= 2; ++band) {
            GDALRasterBand* raster = dataset->GetRasterBand(band);
            raster->SetDescription(descriptions[band - 1]);
            raster->SetUnitType("arc-second");
        }
        dataset->GetRasterBand(2)->SetMetadataItem("positive_value", "east");
        WriteBand(*dataset, 1, piece, piece.latitudeOffsets);
        WriteBand(*dataset, 2, piece, piece.longitudeOffsets);
        dataset.Close();
    }
}

}  // namespace

std::optional<GridFormat> GridFormatOf(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".gsb") return GridFormat::Ntv2;
    if (extension == ".tif" || extension == ".tiff") return GridFormat::GeoTiff;
    return std::nullopt;
}

std::string GridDescription(const ShiftGrid& grid, const GridLabel& label) {
    const bool epsg = grid.shifts == ShiftSet::Epsg;
    return "Trevalco " + label.version + ": " + std::string(NameOf(datums::SourceOf(grid.direction))) + " a " +
           std::string(NameOf(datums::TargetOf(grid.direction))) + ", " +
           (epsg ? "transformaciones de EPSG por latitud" : "bandas del programa") + " (" +
           ShiftSetName(grid.shifts) + ")";
}

void WriteGrid(const ShiftGrid& grid, const GridLabel& label, const fs::path& output, bool overwrite) {
    const std::optional<GridFormat> format = GridFormatOf(output);
    if (!format)
        throw LayerUsageError("«" + output.filename().string() + "»: la grilla se escribe como .gsb (NTv2) o .tif "
                              "(GeoTIFF de PROJ)");
    RegisterDrivers();
    LayerOutput staged(output, overwrite);
    {
        const QuietGdal quiet;
        if (*format == GridFormat::Ntv2)
            WriteNtv2(grid, label, staged.WorkingPath());
        else
            WriteGeoTiff(grid, label, staged.WorkingPath());
    }
    staged.Commit();
}

}  // namespace trevalco::layers
