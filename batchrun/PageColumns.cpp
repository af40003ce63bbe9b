#include "PageColumns.h"

#include <array>
#include <type_traits>
#include <utility>

namespace trevalco::batch {

namespace {

template <typename Columns>
struct Field {
    ColumnRole role;
    std::string Columns::*letter;
};

const std::array<Field<DecimalColumns>, 8> kDecimalFields{{
    {{"lat", "B", true}, &DecimalColumns::latitude},
    {{"lon", "C", true}, &DecimalColumns::longitude},
    {{"n", "D", false}, &DecimalColumns::northing},
    {{"e", "E", false}, &DecimalColumns::easting},
    {{"lat2", "F", false}, &DecimalColumns::latitude2},
    {{"lon2", "G", false}, &DecimalColumns::longitude2},
    {{"n2", "H", false}, &DecimalColumns::northing2},
    {{"e2", "I", false}, &DecimalColumns::easting2},
}};

const std::array<Field<DmsColumns>, 14> kDmsFields{{
    {{"latd", "B", true}, &DmsColumns::latDegrees},
    {{"latm", "C", true}, &DmsColumns::latMinutes},
    {{"lats", "D", true}, &DmsColumns::latSeconds},
    {{"lond", "E", true}, &DmsColumns::lonDegrees},
    {{"lonm", "F", true}, &DmsColumns::lonMinutes},
    {{"lons", "G", true}, &DmsColumns::lonSeconds},
    {{"lat", "H", false}, &DmsColumns::latitude},
    {{"lon", "I", false}, &DmsColumns::longitude},
    {{"n", "J", false}, &DmsColumns::northing},
    {{"e", "K", false}, &DmsColumns::easting},
    {{"lat2", "L", false}, &DmsColumns::latitude2},
    {{"lon2", "M", false}, &DmsColumns::longitude2},
    {{"n2", "N", false}, &DmsColumns::northing2},
    {{"e2", "O", false}, &DmsColumns::easting2},
}};

const std::array<Field<UtmColumns>, 8> kUtmFields{{
    {{"n", "B", true}, &UtmColumns::northing},
    {{"e", "C", true}, &UtmColumns::easting},
    {{"lat", "D", false}, &UtmColumns::latitude},
    {{"lon", "E", false}, &UtmColumns::longitude},
    {{"n2", "F", false}, &UtmColumns::northing2},
    {{"e2", "G", false}, &UtmColumns::easting2},
    {{"lat2", "H", false}, &UtmColumns::latitude2},
    {{"lon2", "I", false}, &UtmColumns::longitude2},
}};

template <typename Columns, std::size_t N>
std::vector<ColumnRole> Roles(const std::array<Field<Columns>, N>& fields) {
    std::vector<ColumnRole> roles;
    for (const auto& field : fields) roles.push_back(field.role);
    return roles;
}

const std::vector<ColumnRole> kDecimalRoles = Roles(kDecimalFields);
const std::vector<ColumnRole> kDmsRoles = Roles(kDmsFields);
const std::vector<ColumnRole> kUtmRoles = Roles(kUtmFields);

template <typename Columns, std::size_t N, typename Sheet>
auto* Find(Sheet& columns, const std::array<Field<Columns>, N>& fields, std::string_view role) {
    for (const auto& field : fields)
        if (field.role.name == role) return &(columns.*field.letter);
    return static_cast<decltype(&(columns.*fields[0].letter))>(nullptr);
}

// The letter of a role in whichever page it is (const or not).
template <typename Page>
auto* FindIn(Page& page, std::string_view role) {
    return std::visit(
        [role](auto& columns) {
            using Columns = std::remove_const_t<std::remove_reference_t<decltype(columns)>>;
            if constexpr (std::is_same_v<Columns, DecimalColumns>)
                return Find(columns, kDecimalFields, role);
            else if constexpr (std::is_same_v<Columns, DmsColumns>)
                return Find(columns, kDmsFields, role);
            else
                return Find(columns, kUtmFields, role);
        },
        page);
}

}  // namespace

const std::vector<ColumnRole>& RolesOf(const PageColumns& page) {
    if (std::holds_alternative<DecimalColumns>(page)) return kDecimalRoles;
    if (std::holds_alternative<DmsColumns>(page)) return kDmsRoles;
    return kUtmRoles;
}

std::string* LetterOf(PageColumns& page, std::string_view role) { return FindIn(page, role); }

const std::string* LetterOf(const PageColumns& page, std::string_view role) {
    return FindIn(page, role);
}

std::vector<std::string> AllLetters(const PageColumns& page) {
    std::vector<std::string> letters;
    for (const ColumnRole& role : RolesOf(page)) letters.push_back(*LetterOf(page, role.name));
    return letters;
}

PageColumns WithFirstOfferedColumns(PageColumns page) {
    for (const ColumnRole& role : RolesOf(page))
        if (std::string* letter = LetterOf(page, role.name)) *letter = std::string(role.firstOffered);
    if (auto* utm = std::get_if<UtmColumns>(&page)) utm->zone = 18;
    return page;
}

}  // namespace trevalco::batch
