// Stock marks in operation names and the stocks of template operations.
#include "torvane/stock.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

// Operations that carry no stocks at all.
bool stockless(int type, int subtype) { return type == UF_machining_operation_type && subtype == 10; }

// Subtypes with a floor stock of their own: planar, cavity, face, Z-level and plunge milling.
bool has_floor_stock(int subtype) {
    return subtype == UF_mach_cavity_milling_subtype || subtype == UF_mach_face_milling_subtype ||
           subtype == UF_mach_zlevel_milling_subtype || subtype == UF_mach_plunge_milling_subtype ||
           subtype == UF_mach_pocket_subtype;
}

}  // namespace

int ask_name_mark_value(const char *name, const char *mark, double *value) {
    *value = 0.0;
    const char *at = name && mark ? std::strstr(name, mark) : nullptr;
    if (!at) return 0;
    std::string number;
    for (const char *p = at + std::strlen(mark); *p && (std::strchr("0123456789-.", *p) != nullptr); ++p)
        number.push_back(*p);
    *value = std::atof(number.c_str());
    return 1;
}

int ask_name_stock(tag_t oper_tag, double *stock) {
    *stock = 0.0;
    int type = 0, subtype = 0;
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    if (UF_CALL(UF_OBJ_ask_type_and_subtype(oper_tag, &type, &subtype)) != 0 || stockless(type, subtype)) return 0;
    UF_CALL(UF_OBJ_ask_name(oper_tag, name));
    double mark = 0.0;
    if (!ask_name_mark_value(name, NAME_MARK_STOCK, &mark)) return 0;
    double part = 0.0;
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_PART, &part));
    *stock = part + mark;
    return 1;
}

int ask_part_floor_stock(tag_t oper_tag, double *part_stock, double *floor_stock) {
    *part_stock = *floor_stock = 0.0;
    int type = 0, subtype = 0;
    if (UF_CALL(UF_OBJ_ask_type_and_subtype(oper_tag, &type, &subtype)) != 0 || stockless(type, subtype)) return 1;
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_PART, part_stock));
    *floor_stock = *part_stock;
    if (has_floor_stock(subtype)) UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_FLOOR, floor_stock));
    return 1;
}
