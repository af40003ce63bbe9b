#include "LayerCrs.h"

#include <cpl_conv.h>

#include <algorithm>
#include <charconv>
#include <memory>

#include "Gdal.h"
#include "Proj.h"

namespace trevalco::layers {

namespace {

// GDAL's matcher gives this confidence to a CRS that differs from the
// database's only in names (an ESRI .prj of a SIRGAS-Chile CRS gets 70).
constexpr int kLeastConfidence = 50;

std::optional<int> CodeOf(const OGRSpatialReference& srs, const char* node) {
    const char* authority = srs.GetAuthorityName(node);
    const char* code = srs.GetAuthorityCode(node);
    if (authority == nullptr || code == nullptr || std::string_view(authority) != "EPSG") return std::nullopt;
    int value = 0;
    const std::string_view text(code);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<Datum> DatumOf(int geographicCode) {
    if (geographicCode == 4248) return Datum::Psad56;
    if (geographicCode == 4618) return Datum::Sad69;
    if (std::ranges::find(kSirgasCodes, geographicCode) != std::end(kSirgasCodes)) return Datum::Sirgas;
    return std::nullopt;
}

std::string Described(const OGRSpatialReference& srs, std::optional<int> code) {
    const char* name = srs.GetName();
    std::string text = code ? "EPSG:" + std::to_string(*code) : std::string("sin código EPSG");
    if (name != nullptr && *name != '\0') text += ", " + std::string(name);
    return text;
}

// ", datum Campo Inchauspe": the datum a CRS is on, where it names one.
std::string DatumText(const OGRSpatialReference& srs) {
    const char* datum = srs.GetAttrValue("DATUM");
    if (datum == nullptr || *datum == '\0') return {};
    std::string name(datum);
    std::ranges::replace(name, '_', ' ');
    return " (datum " + name + ")";
}

// The EPSG CRS a layer's CRS is, by code or by GDAL's best match.
std::optional<int> MatchedCode(const OGRSpatialReference& srs) {
    if (auto code = CodeOf(srs, nullptr)) return code;
    int count = 0;
    int* confidence = nullptr;
    OGRSpatialReferenceH* matches = srs.FindMatches(nullptr, &count, &confidence);
    std::optional<int> found;
    for (int i = 0; i < count && !found; ++i)
        if (confidence[i] >= kLeastConfidence) found = CodeOf(*OGRSpatialReference::FromHandle(matches[i]), nullptr);
    OSRFreeSRSArray(matches);
    CPLFree(confidence);
    return found;
}

CrsReading FromCode(int code) {
    const OGRSpatialReference srs = SpatialReference(code);
    if (srs.IsEmpty()) return {std::nullopt, "EPSG:" + std::to_string(code) + " no está en la base de datos de PROJ"};
    const std::optional<int> geographic = srs.IsProjected() ? CodeOf(srs, "GEOGCS") : std::optional<int>(code);
    const std::optional<Datum> datum = geographic ? DatumOf(*geographic) : std::nullopt;
    if (!datum || !(srs.IsGeographic() || srs.IsProjected()))
        return {std::nullopt, "el sistema de referencia " + Described(srs, code) + DatumText(srs) +
                                  " no es de PSAD56, SAD69 ni SIRGAS (WGS 84, SIRGAS 2000, SIRGAS-Chile)"};
    LayerCrs crs{*datum, code, *geographic, std::nullopt};
    if (srs.IsProjected()) {
        int north = 0;
        const int zone = srs.GetUTMZone(&north);
        if (zone != 0 && north == 0)
            crs.zone = zone;
        else
            crs.projection = "EPSG:" + std::to_string(code);
    }
    return {crs, {}};
}

}  // namespace

// A projection EPSG does not hold (a transverse Mercator or Lambert of a
// city or a project) on a geographic CRS it does: PROJ reads it from its WKT.
std::optional<CrsReading> OwnProjection(const OGRSpatialReference& srs) {
    if (!srs.IsProjected()) return std::nullopt;
    const std::unique_ptr<OGRSpatialReference> geographic(srs.CloneGeogCS());
    const std::optional<int> code = geographic ? MatchedCode(*geographic) : std::nullopt;
    if (!code) return std::nullopt;
    const std::optional<Datum> datum = DatumOf(*code);
    if (!datum)
        return CrsReading{std::nullopt, "el sistema de referencia de la capa (" + Described(srs, std::nullopt) + ")" +
                                            DatumText(srs) +
                                            " no es de PSAD56, SAD69 ni SIRGAS (WGS 84, SIRGAS 2000, SIRGAS-Chile)"};
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2019", nullptr};
    const bool exported = srs.exportToWkt(&wkt, options) == OGRERR_NONE;
    const std::string text = exported && wkt != nullptr ? wkt : "";
    CPLFree(wkt);
    if (text.empty()) return std::nullopt;
    const char* name = srs.GetName();
    return CrsReading{LayerCrs{*datum, 0, *code, std::nullopt, text, name != nullptr ? name : "sin nombre"}, {}};
}

CrsReading IdentifyCrs(const OGRSpatialReference& srs) {
    const std::optional<int> code = MatchedCode(srs);
    if (!code)
        if (std::optional<CrsReading> own = OwnProjection(srs)) return *own;
    if (!code)
        return {std::nullopt, "el sistema de referencia de la capa (" + Described(srs, std::nullopt) +
                                  ") no se reconoce en la base de datos EPSG"};
    return FromCode(*code);
}

CrsReading CrsFromArgument(std::string_view text) {
    if (text.size() > 5 && (text.substr(0, 5) == "EPSG:" || text.substr(0, 5) == "epsg:")) text.remove_prefix(5);
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || code <= 0)
        return {std::nullopt, "--source-crs espera un código EPSG, por ejemplo EPSG:24879"};
    const QuietGdal quiet;
    return FromCode(code);
}

std::string CrsLabel(const LayerCrs& crs) {
    return crs.code != 0 ? "EPSG:" + std::to_string(crs.code) : "«" + crs.name + "»";
}

int GeographicCode(Datum datum, int sirgas) {
    switch (datum) {
        case Datum::Psad56: return 4248;
        case Datum::Sad69: return 4618;
        case Datum::Sirgas: break;
    }
    return sirgas;
}

std::optional<int> UtmCode(int geographicCode, int zone) {
    const proj::Context context = proj::NewContext();
    const proj::Object geographic(proj_create_from_database(context.get(), "EPSG", std::to_string(geographicCode).c_str(),
                                                            PJ_CATEGORY_CRS, 0, nullptr));
    if (!geographic) return std::nullopt;
    const std::string wanted = std::string(proj_get_name(geographic.get())) + " / UTM zone " + std::to_string(zone) + "S";
    const proj::ListParameters parameters(proj_get_crs_list_parameters_create());
    const PJ_TYPE projected = PJ_TYPE_PROJECTED_CRS;
    parameters->types = &projected;
    parameters->typesCount = 1;
    int count = 0;
    const proj::CrsList list(proj_get_crs_info_list_from_database(context.get(), "EPSG", parameters.get(), &count));
    for (int i = 0; i < count; ++i)
        if (list.get()[i]->deprecated == 0 && wanted == list.get()[i]->name) return std::atoi(list.get()[i]->code);
    return std::nullopt;
}

OGRSpatialReference SpatialReference(int code) {
    OGRSpatialReference srs;
    if (srs.importFromEPSG(code) != OGRERR_NONE) srs.Clear();
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

}  // namespace trevalco::layers
