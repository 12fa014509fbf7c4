// Stock marks in operation names and the stocks of template operations.
#include "torvane/setup/stock.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "torvane/state/dlg_state.h"
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

// Stocks with a "-S" value v added: a Z offset rule keeps a negative template part and floor
// out of the stocks, the floor's going into the Z offset.
oper_stock marked_stock(double v, double template_part, double template_floor, stock_z_offset z_offset) {
    oper_stock stock;
    stock.set = true;
    if (z_offset == Z_OFFSET_NONE) {
        stock.part_stock = template_part + v;
        stock.floor_stock = template_floor + v;
        return stock;
    }
    stock.part_stock = std::fmax(template_part, 0.0) + v;
    if (template_floor < 0.0) {
        stock.z_offset = template_floor;
        stock.floor_stock = v;
    } else {
        stock.floor_stock = template_floor + v;
    }
    return stock;
}

oper_stock class_stock_of(double s, int finish, stock_floor floor, stock_z_offset z_offset) {
    oper_stock stock;
    stock.set = true;
    if (s < 0.0 && z_offset != Z_OFFSET_NONE) {
        stock.part_stock = z_offset == Z_OFFSET_FACE ? s : 0.0;
        stock.floor_stock = 0.0;
        stock.z_offset = s;
        return stock;
    }
    stock.part_stock = s;
    stock.floor_stock = floor == STOCK_FLOOR_AS_PART ? s : floor == STOCK_FLOOR_EDM && !finish ? EDM_FLOOR_STOCK : 0.0;
    return stock;
}

void add_depth_mark(double v, double template_part, double template_floor, stock_depth_mark depth_mark,
                    oper_stock *stock) {
    if (depth_mark == DEPTH_MARK_IGNORED || depth_mark == DEPTH_MARK_CUT_LEVEL) return;
    if (!stock->set) {
        stock->set = true;
        stock->part_stock = template_part;
        stock->floor_stock = template_floor;
    }
    if (depth_mark == DEPTH_MARK_FLOOR_AND_OFFSET) {
        const double total = stock->floor_stock + stock->z_offset + v;
        stock->floor_stock = total < 0.0 ? 0.0 : total;
        stock->z_offset = total < 0.0 ? total : 0.0;
        return;
    }
    stock->floor_stock += v;
    if (stock->floor_stock >= 0.0 || depth_mark == DEPTH_MARK_FLOOR) return;
    if (depth_mark == DEPTH_MARK_FLOOR_OFFSET) stock->z_offset += stock->floor_stock;
    stock->floor_stock = 0.0;
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

int rmf_class_allowance(int rmf_kind, double *allowance) {
    switch (rmf_kind) {
    case RMF_ROUGH: *allowance = static_dlg_state.real_35; return 1;
    case RMF_MIDDLE: *allowance = static_dlg_state.real_36; return 1;
    case RMF_FINISH: *allowance = 0.0; return 1;
    default: return 0;
    }
}

double rmf_spark_gap(int elec_kind) {
    switch (elec_kind) {
    case RMF_ROUGH: return static_dlg_state.real_5;
    case RMF_MIDDLE: return static_dlg_state.real_7;
    case RMF_FINISH: return static_dlg_state.real_9;
    default: return static_dlg_state.real_11;
    }
}

int ask_rmf_stock(const prog_group *group, const oper *oper_p, int elec_kind, double *stock) {
    *stock = 0.0;
    double allowance = 0.0;
    if (!rmf_class_allowance(oper_p->rmf_kind, &allowance) && !rmf_class_allowance(group->rmf_kind, &allowance)) return 0;
    *stock = rmf_spark_gap(elec_kind) + allowance;
    return 1;
}

int is_finish_class(const prog_group *group, const oper *oper_p) {
    return oper_p->rmf_kind == RMF_FINISH || (oper_p->rmf_kind == RMF_OTHER && group->rmf_kind == RMF_FINISH);
}

int set_oper_stock(tag_t oper_tag, double part_stock, double floor_stock) {
    int type = 0, subtype = 0;
    if (UF_CALL(UF_OBJ_ask_type_and_subtype(oper_tag, &type, &subtype)) != 0 || stockless(type, subtype)) return 1;
    UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_STOCK_PART, part_stock));
    if (has_floor_stock(subtype)) UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_STOCK_FLOOR, floor_stock));
    return 1;
}

int check_and_set_face_bland_stock(tag_t oper_tag, double extra) {
    int type = 0, subtype = 0;
    UF_CALL(UF_OBJ_ask_type_and_subtype(oper_tag, &type, &subtype));
    if (type != UF_machining_operation_type && subtype != UF_mach_face_milling_subtype) {
        show_catalogue_text(TORVANE_LANG_FORMAT, "check_and_set_face_bland_stoc_01:");
        return 0;
    }
    double part = 0.0, blank = 0.0;
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_PART, &part));
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_BLANK, &blank));
    if (part + extra >= blank) blank = part + extra;
    UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_STOCK_BLANK, blank));
    return 1;
}

oper_stock rule_oper_stock(const char *name, double template_part, double template_floor, int has_class_stock,
                           double class_stock, int finish, stock_floor floor, stock_z_offset z_offset,
                           stock_depth_mark depth_mark) {
    oper_stock stock;
    double v = 0.0;
    if (ask_name_mark_value(name, NAME_MARK_STOCK, &v)) {
        if (v != 0.0) stock = marked_stock(v, template_part, template_floor, z_offset);
    } else if (has_class_stock) {
        stock = class_stock_of(class_stock, finish, floor, z_offset);
    }
    if (ask_name_mark_value(name, NAME_MARK_DEPTH, &v)) add_depth_mark(v, template_part, template_floor, depth_mark, &stock);
    return stock;
}

double write_oper_stock(tag_t oper_tag, const oper_stock &stock, stock_z_offset z_offset, int has_depth_point) {
    if (z_offset != Z_OFFSET_NONE || stock.z_offset < 0.0) {
        UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_TL_Z_OFFSET, 0.0));
        UF_CALL(UF_PARAM_set_int_value(oper_tag, UF_PARAM_TL_Z_OFFSET_TOG, 0));
    }
    if (stock.set) set_oper_stock(oper_tag, stock.part_stock, stock.floor_stock);
    if (stock.z_offset < 0.0 && !has_depth_point) {
        UF_CALL(UF_PARAM_set_int_value(oper_tag, UF_PARAM_TL_Z_OFFSET_TOG, 1));
        UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_TL_Z_OFFSET, stock.z_offset));
        return 0.0;
    }
    return stock.set ? stock.part_stock : 0.0;
}
