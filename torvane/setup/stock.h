// Stocks of operations. An electrode is made smaller than its cavity by the spark gap of its kind
// (rough, middle, finish, other); an operation leaves that gap plus the machining allowance of its
// own class as stock, which may be negative. Here: the stock marks of operation names, the
// template's part and floor stocks, the class stock, and how each kind of operation takes it.
#ifndef TORVANE_STOCK_H_INCLUDED
#define TORVANE_STOCK_H_INCLUDED

#include "torvane/state/plan.h"
#include "uf_defs.h"

#define NAME_MARK_STOCK "-S"  // followed by a stock value
#define NAME_MARK_DEPTH "-Z"  // followed by a depth or floor value
#define NAME_MARK_SIDE_POINTS "-P"

// 1 when mark is in name; *value is the number right after it (digits, '-' and '.'), 0.0 when
// none follows. 0 (and 0.0) when the mark is not in the name.
int ask_name_mark_value(const char *name, const char *mark, double *value);

// The operation's part stock plus the number after "-S" in its name; 0 when the name has no
// "-S" or the object is no stock-carrying operation (type 100, subtype 10).
int ask_name_stock(tag_t oper_tag, double *stock);

// Part and floor stock of an operation; the floor is the part stock for operations without a
// floor stock of their own, both 0.0 for type 100, subtype 10. Returns 1.
int ask_part_floor_stock(tag_t oper_tag, double *part_stock, double *floor_stock);

// The spark gap of an electrode kind (REAL_5, REAL_7, REAL_9, REAL_11 for any other kind), and
// the allowance of an operation class (REAL_35 rough, REAL_36 middle, 0.0 finish; 0 for other).
double rmf_spark_gap(int elec_kind);
int rmf_class_allowance(int rmf_kind, double *allowance);

// The class stock of an operation of a plan group for electrodes of elec_kind: the spark gap of
// the kind (REAL_5, REAL_7, REAL_9, REAL_11 for any other kind) plus the allowance of the
// operation's class (REAL_35 rough, REAL_36 middle, 0 finish), or of its group's class when the
// operation has none. 0 (and 0.0) when neither has a class: the template's stocks then stay.
int ask_rmf_stock(const prog_group *group, const oper *oper_p, int elec_kind, double *stock);

// The finish floor of the EDM floor rule: an operation of the finish class, or of no class in a
// group of the finish class.
int is_finish_class(const prog_group *group, const oper *oper_p);

// Writes the part stock, and the floor stock for the operations that have one (planar, cavity,
// face, Z-level, plunge milling); nothing for type 100, subtype 10. Returns 1.
int set_oper_stock(tag_t oper_tag, double part_stock, double floor_stock);

// Raises the blank stock of a face milling operation (or of any operation of type 100 that has
// one) to its part stock plus extra when it is below that; it is never lowered. 0 after a message
// for an object of another kind.
int check_and_set_face_bland_stock(tag_t oper_tag, double extra);

// ---- how an operation takes the class stock ----------------------------------------------

// Floor stock given with class stock s.
enum stock_floor {
    STOCK_FLOOR_AS_PART,  // s
    STOCK_FLOOR_EDM,      // 0.1 above EDM faces, 0.0 for finish operations
    STOCK_FLOOR_ZERO      // 0.0
};
// Where a negative stock goes.
enum stock_z_offset {
    Z_OFFSET_NONE,    // into the stocks as it is
    Z_OFFSET_CAVITY,  // into the cutter's Z offset; part and floor 0
    Z_OFFSET_FACE     // floor into the cutter's Z offset; the part keeps it
};
// What the "-Z" mark of the name does.
enum stock_depth_mark {
    DEPTH_MARK_IGNORED,        // fixed contour
    DEPTH_MARK_CUT_LEVEL,      // the bottom cut level moves by it (cavity, Z-level)
    DEPTH_MARK_FLOOR,          // it is added to the floor stock
    DEPTH_MARK_FLOOR_OFFSET,   // added to the floor; a negative floor moves into the Z offset
    DEPTH_MARK_FLOOR_NOT_BELOW, // added to the floor; a negative floor becomes 0.0
    DEPTH_MARK_FLOOR_AND_OFFSET // added to floor and Z offset together: a negative sum becomes the Z
                                // offset (floor 0.0), any other the floor (Z offset 0.0 and off)
};

#define EDM_FLOOR_STOCK 0.1

// Part and floor stock an operation gets, and the Z offset that takes a negative stock.
struct oper_stock {
    bool set = false;  // false: the operation keeps its stocks
    double part_stock = 0.0;
    double floor_stock = 0.0;
    double z_offset = 0.0;  // below 0: the cutter's Z offset
};

// The stocks of an operation named name whose template (or plan) stocks are template_part and
// template_floor: a non-zero "-S" value is added to them (as the Z offset rule says when
// z_offset is not Z_OFFSET_NONE), "-S" with 0 or no number keeps them; without "-S" the class
// stock (has_class_stock, class_stock) is given as floor and z_offset say; finish selects the
// finish floor of STOCK_FLOOR_EDM. Then the "-Z" mark acts on the floor as depth_mark says.
oper_stock rule_oper_stock(const char *name, double template_part, double template_floor, int has_class_stock,
                           double class_stock, int finish, stock_floor floor, stock_z_offset z_offset,
                           stock_depth_mark depth_mark);

// Writes stocks into the operation: with a Z offset rule, first the cutter's Z offset 0 and off;
// then part and floor (set_oper_stock) when they are set; then a negative z_offset into the Z
// offset (switched on) unless the operation has a picked depth point. Returns the distance a
// cavity's cut depth keeps above the electrodes: the part stock written (0 when none was, or
// when the Z offset took the stock).
double write_oper_stock(tag_t oper_tag, const oper_stock &stock, stock_z_offset z_offset, int has_depth_point);

#endif
