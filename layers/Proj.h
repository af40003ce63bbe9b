// PROJ's C objects held for as long as a scope needs them.
#pragma once

#include <proj.h>

#include <memory>

namespace trevalco::layers::proj {

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
struct CrsListDeleter {
    void operator()(PROJ_CRS_INFO** list) const { proj_crs_info_list_destroy(list); }
};
struct ListParametersDeleter {
    void operator()(PROJ_CRS_LIST_PARAMETERS* parameters) const { proj_get_crs_list_parameters_destroy(parameters); }
};

using Context = std::unique_ptr<PJ_CONTEXT, ContextDeleter>;
using Object = std::unique_ptr<PJ, ObjectDeleter>;
using CrsList = std::unique_ptr<PROJ_CRS_INFO*, CrsListDeleter>;
using ListParameters = std::unique_ptr<PROJ_CRS_LIST_PARAMETERS, ListParametersDeleter>;

inline Context NewContext() { return Context(proj_context_create()); }

}  // namespace trevalco::layers::proj
