// The CAM tree in part files: a tree saved and loaded again is the same tree, the navigator's
// views in `nxhost tree`, and a malformed "cam" section refused with file and field.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_file.h"
#include "nxhost/cam/cam_params.h"
#include "nxhost/objects/store.h"
#include "uf_attr.h"
#include "uf_cambnd.h"
#include "uf_cam_planes.h"
#include "uf_camgeom.h"
#include "uf_camtext.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_drf.h"
#include "nxhost/modeling/shapes.h"
#include "uf_so.h"

namespace {

namespace cam = nxhost::cam;

std::string tree_of(tag_t part) {
    cam::set_printed_views({cam::kProgramView, cam::kMachineView, cam::kGeometryView, cam::kMethodView});
    std::ostringstream out;
    nxhost::print_part_tree(out, part);
    return out.str().substr(out.str().find("cam setup"));
}

std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

template <class T>
std::string nums(const T *values, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? "," : "") + num(values[i]);
    return "[" + text + "]";
}

std::string name(tag_t tag) {
    char text[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(tag, text);
    return text;
}

// An object that is no CAM object, by what it is: a body by name, a face or edge by its body
// and index, anything else by type and name.
std::string entity(tag_t tag) {
    const nxhost::Object *obj = nxhost::store().find(tag);
    if (!obj) return tag == NULL_TAG ? "none" : "gone";
    const std::string what = std::to_string(obj->type) + "/" + std::to_string(obj->subtype) + " ";
    if (obj->parent == NULL_TAG) return what + obj->name;
    return what + nxhost::store().find(obj->parent)->name + "#" + std::to_string(obj->index);
}

// Everything a caller can ask of one CAM object through NX Open, as text.
std::string asked(tag_t tag) {
    int type = 0, subtype = 0;
    UF_OBJ_ask_type_and_subtype(tag, &type, &subtype);
    std::ostringstream out;
    out << type << "/" << subtype;
    const nxhost::Object &obj = *nxhost::store().find(tag);
    for (const cam::ParamSpec &spec : cam::param_table()) {
        if (!(spec.carriers & cam::carrier_of(*cam::cam_object(obj), subtype))) continue;
        out << " " << spec.name << "=";
        int i = 0;
        double d = 0, pair[2] = {0, 0};
        tag_t t = NULL_TAG;
        UF_PARAM_feedrate_t feed{};
        switch (spec.kind) {
        case cam::ValueKind::Int: out << (UF_PARAM_ask_int_value(tag, spec.index, &i) ? "?" : std::to_string(i)); break;
        case cam::ValueKind::Double: out << (UF_PARAM_ask_double_value(tag, spec.index, &d) ? "?" : num(d)); break;
        case cam::ValueKind::Tag: out << (UF_PARAM_ask_tag_value(tag, spec.index, &t) ? "?" : entity(t)); break;
        case cam::ValueKind::Pair: out << (UF_PARAM_ask_2d_value(tag, spec.index, pair) ? "?" : nums(pair, 2)); break;
        case cam::ValueKind::Feed:
            out << (UF_PARAM_ask_subobj_ptr_value(tag, spec.index, &feed) ? "?" : num(feed.unit) + ":" + num(feed.value) + ":" + num(feed.color));
            break;
        default: out << "?"; break;
        }
    }
    if (type == UF_machining_tool_type) {
        int count = 0;
        UF_CUTTER_holder_section_t **holder = nullptr;
        UF_CUTTER_ask_type_and_subtype(tag, &type, &subtype);
        UF_CUTTER_ask_holder_data(tag, &count, &holder);
        out << "\n  cutter " << type << "/" << subtype << " holder";
        for (int k = 0; k < count; ++k) {
            const double section[4] = {holder[k]->diameter, holder[k]->length, holder[k]->taper, holder[k]->corner};
            out << " " << nums(section, 4);
            UF_free(holder[k]);
        }
        UF_free(holder);
        return out.str();
    }
    for (int g = UF_CAM_part; g <= UF_CAM_drive; ++g) {
        int count = 0;
        UF_CAMGEOM_item_t *items = nullptr;
        UF_CAMGEOM_ask_items(tag, static_cast<UF_CAM_geom_type_t>(g), &count, &items);
        for (int k = 0; k < count; ++k) {
            tag_t e = NULL_TAG;
            UF_CAMGEOM_app_data_t a{};
            UF_CAMGEOM_ask_item_entity(items[k], &e);
            UF_CAMGEOM_ask_item_app_data(items[k], &a);
            out << "\n  item " << g << " " << entity(e) << " stock " << a.has_stock << num(a.stock) << " cut "
                << a.has_cut_stock << nums(a.cut_stock, 3) << " tol " << a.has_tolerances << nums(a.tolerances, 2)
                << " feed " << a.has_feedrate << a.feedrate_unit << num(a.feedrate_value) << " offset " << a.has_offset
                << a.offsetType << num(a.nominalOffset) << num(a.offset) << " avoid " << a.has_avoidance_type
                << a.avoidance_type;
        }
        UF_free(items);
    }
    for (int g = UF_CAM_part; g <= UF_CAM_trim; ++g) {
        int count = 0;
        UF_CAMBND_boundary_t *bounds = nullptr;
        UF_CAMBND_ask_boundaries(tag, static_cast<UF_CAM_geom_type_t>(g), &count, &bounds);
        for (int k = 0; k < count; ++k) {
            UF_CAMBND_boundary_data_t b{};
            UF_CAMBND_ask_boundary_data(bounds[k], &b);
            out << "\n  boundary " << g << " " << b.boundary_type << b.plane_type << nums(b.origin, 3)
                << nums(b.matrix, 9) << b.material_side << b.ignore_holes << b.ignore_islands << b.ignore_chamfers;
            int n = 0;
            UF_CAMBND_item_t *members = nullptr;
            UF_CAMBND_ask_boundary_items(bounds[k], &n, &members);
            for (int m = 0; m < n; ++m) {
                tag_t e = NULL_TAG;
                UF_CAMBND_ask_item_entity(members[m], &e);
                out << " " << entity(e);
            }
            UF_free(members);
        }
        UF_free(bounds);
    }
    int count = 0;
    UF_CAMTEXT_item_t *notes = nullptr;
    UF_CAMTEXT_ask_items(tag, &count, &notes);
    for (int k = 0; k < count; ++k) {
        tag_t e = NULL_TAG;
        UF_CAMTEXT_ask_item_entity(notes[k], &e);
        out << "\n  text " << entity(e);
    }
    UF_free(notes);
    UF_CAM_blank_geom_type_t blank{};
    double offsets[6] = {}, origin[3] = {}, normal[3] = {};
    if (UF_CAM_ask_auto_blank(tag, &blank, offsets) == 0) out << "\n  blank " << blank << nums(offsets, 6);
    if (UF_CAM_ask_clear_plane_data(tag, origin, normal) == 0) out << " clearance " << nums(origin, 3) << nums(normal, 3);
    if (type != UF_machining_operation_type) return out.str();
    for (int p = UF_CAMGEOM_predrill_engage_type; p <= UF_CAMGEOM_cut_region_start_type; ++p) {
        UF_CAMGEOM_custom_point_p_t *points = nullptr;
        UF_CAMGEOM_ask_custom_points(tag, static_cast<UF_CAMGEOM_custom_point_type_t>(p), &count, &points);
        for (int k = 0; k < count; ++k) {
            const double depths[3] = {points[k]->upper_depth, points[k]->lower_depth, points[k]->depth};
            out << "\n  point " << p << " " << entity(points[k]->point_tag) << nums(points[k]->point_acs, 3)
                << nums(depths, 3);
            UF_free(points[k]);
        }
        UF_free(points);
    }
    UF_CUT_LEVELS_t *levels = nullptr;
    if (UF_CUT_LEVELS_load(tag, &levels) == 0) {
        out << "\n  levels";
        for (int k = 0; k < levels->num_levels; ++k)
            out << " " << num(levels->cut_levels[k].z_level) << "/" << num(levels->cut_levels[k].local_cut_depth);
        UF_CUT_LEVELS_free(&levels);
    }
    tag_t ref = NULL_TAG;
    UF_OPER_ask_ref_cutter(tag, &ref);
    out << "\n  ref cutter " << (ref ? nxhost::store().find(ref)->name : "none") << " path "
        << (UF_PARAM_replay_path(tag) == 0 ? "generated" : "none");
    return out.str();
}

// The four views of the work part's CAM tree as a caller walks them, with all it can ask of each object
// (of an operation, in the program order view; elsewhere its name).
void walk(tag_t group, int view, int depth, std::string *out) {
    int count = 0;
    tag_t *members = nullptr;
    UF_NCGROUP_ask_member_list(group, &count, &members);
    for (int k = 0; k < count; ++k) {
        const nxhost::Object &obj = *nxhost::store().find(members[k]);
        *out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + obj.name;
        const bool oper = obj.type == UF_machining_operation_type, null = obj.type == UF_machining_null_grp_type;
        *out += (oper && view != 0) || null ? "\n" : " " + asked(members[k]) + "\n";
        if (!oper) walk(members[k], view, depth + 1, out);
    }
    UF_free(members);
}

std::string walked() {
    tag_t setup = NULL_TAG, root = NULL_TAG;
    UF_SETUP_ask_setup(&setup);
    std::string out;
    int (*const roots[])(tag_t, tag_t *) = {UF_SETUP_ask_program_root, UF_SETUP_ask_mct_root, UF_SETUP_ask_geom_root,
                                            UF_SETUP_ask_mthd_root};
    for (int view = 0; view < 4; ++view) {
        roots[view](setup, &root);
        walk(root, view, 0, &out);
    }
    return out;
}

class CamFileTest : public CamTest {
protected:
    // A CAM tree using every kind of object and data the section holds.
    tag_t rich_tree() {
        const tag_t part = tt_part(R"([{"name":"E1","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},
            {"box":{"min":[5,5,10],"max":[15,15,15]}}]}}])");
        const tag_t program = named("PROGRAM"), rough = made(UF_NCPROG_create, "TT", "PROGRAM");
        const tag_t mcs = made(UF_NCGEOM_create, "TT", "MCS"), workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
        const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "BALL_MILL");
        const tag_t cavity = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
        const tag_t planar = made(UF_OPER_create, "mill_planar", "PLANAR_MILL");
        const tag_t loose = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
        UF_OBJ_set_name(rough, "R1-R");
        UF_OBJ_set_name(cavity, "CAV_TOP-R1");
        UF_NCGROUP_accept_member(program, rough);
        for (tag_t op : {cavity, planar}) {
            UF_NCGROUP_accept_member(rough, op);
            UF_NCGROUP_accept_member(cutter, op);
            UF_NCGROUP_accept_member(workpiece, op);
        }
        UF_NCGROUP_accept_member(named("MILL_ROUGH"), cavity);
        UF_NCGROUP_accept_member(mcs, workpiece);
        UF_NCGROUP_accept_member(root(UF_SETUP_ask_mct_root), cutter);
        UF_NCGROUP_accept_member(root(UF_SETUP_ask_geom_root), mcs);
        UF_OPER_set_ref_cutter(loose, cutter);
        UF_PARAM_set_double_value(cavity, UF_PARAM_STOCK_PART, -0.05);
        UF_PARAM_set_int_value(cavity, UF_PARAM_TL_Z_OFFSET_TOG, 1);
        UF_PARAM_feedrate_t feed = {UF_PARAM_feed_per_revolution, 0.08, 0};
        UF_PARAM_set_subobj_ptr_value(cavity, UF_PARAM_FEED_CUT, &feed);
        double tolerances[2] = {0.01, 0.02};
        UF_PARAM_set_2d_value(cavity, UF_PARAM_TOL_IN_OUT, tolerances);
        UF_CUTTER_holder_section_t section = {20, 35, 0.0872664626, 0.5};
        UF_CUTTER_create_holder_section(cutter, &section);
        UF_ATTR_value_t value{};
        value.type = UF_ATTR_real;
        value.value.real = 4500;
        char title[] = "speed";
        UF_ATTR_assign(cutter, title, value);
        tag_t body = named("E1");
        UF_CAMGEOM_app_data_t data{};
        data.has_stock = 1;
        data.stock = 0.2;
        UF_CAMGEOM_app_data_p_t with_data[] = {&data};
        UF_CAMGEOM_append_items(workpiece, UF_CAM_part, 1, &body, with_data);
        double offsets[6] = {1, 1, 1, 1, 2, 0};
        UF_CAM_set_auto_blank(workpiece, UF_CAM_auto_block_type, offsets);
        UF_CUT_LEVELS_t *levels = nullptr;
        UF_CUT_LEVELS_load(cavity, &levels);
        UF_CUT_LEVELS_edit_level_using_z(cavity, 2, 12.0, 0.4, levels);
        UF_CUT_LEVELS_free(&levels);
        std::vector<tag_t> faces = nxhost::store().children(body, UF_solid_face_subtype);
        UF_CAMBND_boundary_data_t bound{};
        bound.material_side = UF_CAM_material_side_out_right;
        UF_CAMBND_append_bnd_from_face(planar, UF_CAM_part, faces[5], &bound);
        const double at[3] = {10, 10, 0}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
        tag_t floor = NULL_TAG;
        UF_SO_create_xform_doubles(body, UF_SO_update_within_modeling, at, x, y, 1.0, &floor);
        EXPECT_EQ(UF_PARAM_set_tag_value(planar, UF_PARAM_FLOOR, floor), 0);
        UF_CAMGEOM_custom_point_t point{NULL_TAG, {1, 2, 3}, 0.5, 0.1, 0};
        UF_CAMGEOM_custom_point_p_t points[] = {&point};
        UF_CAMGEOM_append_custom_points(cavity, UF_CAMGEOM_cut_region_start_type, 1, points);
        logical generated = false;
        EXPECT_EQ(UF_PARAM_generate(cavity, &generated), 0);
        return part;
    }

    static tag_t root(int (*ask)(tag_t, tag_t *)) {
        tag_t setup = NULL_TAG, group = NULL_TAG;
        UF_SETUP_ask_setup(&setup);
        ask(setup, &group);
        return group;
    }
};

TEST_F(CamFileTest, ACamTreeSavedAndLoadedAgainIsTheSameTree) {
    const tag_t part = rich_tree();
    const std::string before = tree_of(part);
    const cam::Json section = cam::write_cam_section(part);
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/again.prt", &error)) << error;
    const tag_t again = nxhost::load_part("D:\\parts\\again.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    EXPECT_EQ(tree_of(again), before);
    EXPECT_EQ(cam::write_cam_section(again).dump(1), section.dump(1));
    // What the tree shows was saved at all: a sample of every kind of data.
    for (const char *line :
         {"      R1-R  program group", "          stock part -0.05  floor 0  tool Z offset 0",
          "          cut levels user defined: 15 (1), 12 (0.4)", "          start points [1,2,3]",
          "          path generated: cutter BALL_MILL, 1 part item, 2 cut levels",
          "      BALL_MILL  cutter D10 R5  length 75  flute length 50  flutes 2  no. 0  holder 20x35 taper 5 r0.5",
          "      FIXED_CONTOUR  fixed contour  cutter NONE  ref cutter BALL_MILL  geometry NONE  method NONE",
          "          geometry part E1",
          "          blank auto block +X 1 -X 1 +Y 1 -Y 1 +Z 2 -Z 0, box [-1,-1,0]-[21,21,17]"})
        EXPECT_NE(before.find(std::string(line) + "\n"), std::string::npos) << line << "\nin\n" << before;
    EXPECT_NE(before.find("boundary part closed from E1:face 5 loop 0: E1:edge "), std::string::npos) << before;
}

// Every field the planar, face and contour builders write, saved and loaded again: the tree and
// the section are the same, and the tree shows the fields.
TEST_F(CamFileTest, EveryFieldTheBuildersWriteSurvivesSaveAndReload) {
    const tag_t part = tt_part(R"([{"name":"PLATE","shape":{"cut":[{"union":[{"box":{"min":[0,0,0],"max":[40,20,5]}},
        {"box":{"min":[25,5,5],"max":[35,15,10]}}]},{"cylinder":{"base":[10,10,-1],"radius":3,"height":7}}]}}])");
    const tag_t plate = named("PLATE"), cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t planar = made(UF_OPER_create, "mill_planar", "PLANAR_MILL");
    const tag_t facing = made(UF_OPER_create, "mill_planar", "FACE_MILLING");
    const tag_t contour = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    const tag_t outline = made(UF_NCGEOM_create, "mill_planar", "MILL_BND");
    UF_OBJ_set_name(planar, "PLAN_LINE_TOP-F2");
    UF_OBJ_set_name(facing, "FACE_BOT-F2");
    UF_OBJ_set_name(contour, "FIX_SEL_SUR-F3");
    for (tag_t op : {planar, facing, contour}) ASSERT_EQ(UF_NCGROUP_accept_member(cutter, op), 0);
    UF_ATTR_value_t speed{};
    speed.type = UF_ATTR_real;
    speed.value.real = 6500;
    char speed_title[] = "speed", steep_title[] = "steep_step_dis";
    ASSERT_EQ(UF_ATTR_assign(cutter, speed_title, speed), 0);
    speed.value.real = 0.06;
    ASSERT_EQ(UF_ATTR_assign(contour, steep_title, speed), 0);

    // A face with a hole and an island (islands ignored), boundary data, in a moved WCS.
    const double turned[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1}, wcs_at[3] = {100, 50, 0};
    tag_t matrix = NULL_TAG, wcs = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(turned, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(wcs_at, matrix, &wcs), 0);
    ASSERT_EQ(UF_CSYS_set_wcs(wcs), 0);
    tag_t top = NULL_TAG;
    for (tag_t f : nxhost::store().children(plate, UF_solid_face_subtype))
        if (nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(f))->shape).offset == 5.0) top = f;
    UF_CAMBND_app_data_t whole{};
    whole.has_stock = 1;
    whole.stock = 0.1;
    whole.has_blank_distance = 1;
    whole.blank_distance = 2;
    UF_CAMBND_boundary_data_t data{};
    data.material_side = UF_CAM_material_side_in_left;
    data.ignore_islands = 1;
    data.app_data = &whole;
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(planar, UF_CAM_part, top, &data), 0);
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(facing, UF_CAM_blank, top, &data), 0);
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(outline, UF_CAM_part, top, &data), 0);
    // Three lines, open, with the add-on's member records, in a user plane.
    std::vector<tag_t> lines;
    const double corners[4][3] = {{40, 0, 10}, {40, 20, 10}, {0, 20, 10}, {0, 0, 10}};
    for (int i = 0; i < 3; ++i) {
        UF_CURVE_line_t l{{corners[i][0], corners[i][1], corners[i][2]}, {corners[i + 1][0], corners[i + 1][1], corners[i + 1][2]}};
        tag_t made_line = NULL_TAG;
        ASSERT_EQ(UF_CURVE_create_line(&l, &made_line), 0);
        ASSERT_EQ(UF_OBJ_set_name(made_line, ("SIDE_" + std::to_string(i + 1)).c_str()), 0);
        lines.push_back(made_line);
    }
    UF_CAMBND_boundary_data_t open{};
    open.boundary_type = UF_CAM_boundary_type_open;
    open.plane_type = 0;
    open.material_side = UF_CAM_material_side_out_right;
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::copy(identity, identity + 9, open.matrix);
    open.origin[2] = 10;
    UF_CAMBND_app_data_t member{};
    member.has_tolerances = member.has_feedrate = member.has_tool_position = 1;
    member.tolerances[0] = member.tolerances[1] = 0.01;
    member.feedrate_unit = UF_CAM_feedrate_unit_per_minute;
    member.feedrate_value = 1000;
    member.tool_position = UF_CAM_tool_position_on;
    ASSERT_EQ(append_curves(planar, UF_CAM_check, lines, open, member), 0);
    const double floor_at[3] = {15, 15, 0.3}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    tag_t floor = NULL_TAG;
    ASSERT_EQ(UF_SO_create_xform_doubles(lines[0], UF_SO_update_within_modeling, floor_at, x, y, 1.0, &floor), 0);
    ASSERT_EQ(UF_PARAM_set_tag_value(planar, UF_PARAM_FLOOR, floor), 0);

    // Cutting data.
    ASSERT_EQ(UF_PARAM_set_int_value(planar, UF_PARAM_CUT_METHOD, UF_PARAM_cut_method_profile), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(facing, UF_PARAM_CUT_METHOD, UF_PARAM_cut_method_zig_zag), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(planar, UF_PARAM_SPINDLE_RPM, 6500), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(planar, UF_PARAM_CUTLEV_MAX_DEPTH, 0.3), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(planar, UF_PARAM_CUTLEV_MIN_DEPTH, 0.3), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(facing, UF_PARAM_STOCK_BLANK, 0.7), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(facing, UF_PARAM_CUTLEV_DEPTH_PER_CUT, 0.2), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(facing, UF_PARAM_TL_Z_OFFSET_TOG, 1), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(facing, UF_PARAM_TL_Z_OFFSET, -0.02), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(contour, UF_PARAM_STOCK_DRIVE, 0.298), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(contour, UF_PARAM_STEPOVER_TYPE, UF_PARAM_stepover_type_constant), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(contour, UF_PARAM_STEPOVER_DIST, 0.2), 0);
    UF_PARAM_feedrate_t feed{UF_PARAM_feed_per_minute, 1400, 3};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(planar, UF_PARAM_FEED_CUT, &feed), 0);
    feed = {UF_PARAM_feed_per_revolution, 0.05, 6};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(planar, UF_PARAM_FEED_ENGAGE, &feed), 0);
    UF_CAMGEOM_app_data_t item{};
    item.has_cut_stock = 1;
    item.cut_stock[0] = 0.1;
    item.has_feedrate = 1;
    item.feedrate_unit = UF_CAM_feedrate_unit_per_revolution;
    item.feedrate_value = 0.2;
    ASSERT_EQ(append_items(contour, UF_CAM_cut_area, {top}, item), 0);
    logical generated = false;
    for (tag_t op : {planar, facing, contour}) {
        ASSERT_EQ(UF_PARAM_generate(op, &generated), 0);
        EXPECT_TRUE(generated);
    }

    const std::string before = tree_of(part);
    const cam::Json section = cam::write_cam_section(part);
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/again.prt", &error)) << error;
    const tag_t again = nxhost::load_part("D:\\parts\\again.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    EXPECT_EQ(tree_of(again), before);
    EXPECT_EQ(cam::write_cam_section(again).dump(1), section.dump(1));
    for (const char *line :
         {"          boundary part closed from PLATE:face 2 loop 0: PLATE:edge 1, PLATE:edge 7, PLATE:edge 6, PLATE:edge 8",
          "            material inside  plane automatic at [20,10,5] normal [0,0,1]  outer loop",
          "            data stock 0.1, blank distance 2",
          "            material inside  plane automatic at [10,10,5] normal [0,0,1]  hole",
          "          boundary check open in plane at [100,50,10]: SIDE_1, SIDE_2, SIDE_3",
          "            member SIDE_2: tolerances 0.01/0.01, feed 1000 per min, tool position on",
          "            material outside  plane user at [100,50,10] normal [0,0,1]",
          "          floor plane at [15,15,0.3] normal [0,0,1]", "          cut method profile",
          "          feeds engage 0.05 per rev colour 6, cut 1400 per min colour 3", "          spindle 6500 rpm",
          "          depth per cut 0.3 (min 0.3)", "          stock part 0  floor 0  tool Z offset -0.02",
          "          blank stock 0.7", "          depth per cut 0.2", "          cut method zig-zag",
          "          drive stock 0.298", "          stepover constant 0.2", "          attr steep_step_dis (real) = 0.06",
          "          path generated: cutter MILL, 2 part boundaries, floor",
          "          path generated: cutter MILL, 1 cut area item",
          "          path generated: cutter MILL, 2 face boundaries", "        attr speed (real) = 6500"})
        EXPECT_NE(before.find(std::string(line)), std::string::npos) << line << "\nin\n" << before;
    const std::string hole = "          boundary part closed from PLATE:face 2 loop 2: PLATE:edge 9\n";
    EXPECT_NE(before.find(hole, before.find("MILL_BND")), std::string::npos) << "the boundary group's boundary\n" << before;

    // The CAM tree refers to the floor of the geometry section, whichever comes first in the file.
    cam::Json doc = cam::Json::parse(read_file("parts/again.prt"));
    cam::Json reordered = cam::Json::object();
    for (const char *key : {"format", "units", "bodies", "cam", "geometry"}) reordered[key] = doc[key];
    write_file("parts/reordered.prt", reordered.dump(1));
    ASSERT_NE(nxhost::load_part("D:\\parts\\reordered.prt", &error), NULL_TAG) << error;
}

// The rich tree with every other kind of group, cutter, operation and data the calls take: what
// a caller can ask of it, the four views and the section are the same after a save and a reload.
TEST_F(CamFileTest, EveryKindOfObjectAndDataReloadsAsTheCallerLeftIt) {
    const tag_t part = rich_tree();
    const tag_t body = named("E1"), r1 = named("R1-R"), mcs = named("MCS"), rough = named("MILL_ROUGH");
    const tag_t contour = named("FIXED_CONTOUR"), ball = named("BALL_MILL");
    const std::vector<tag_t> faces = nxhost::store().children(body, UF_solid_face_subtype);
    const std::vector<tag_t> edges = nxhost::store().children(body, UF_solid_edge_subtype);
    const tag_t r2 = made(UF_NCPROG_create, "TT", "PROGRAM"), semi = made(UF_NCMTHD_create, "TT", "MILL_ROUGH");
    const tag_t bounds = made(UF_NCGEOM_create, "mill_planar", "MILL_BND");
    const tag_t text = made(UF_NCGEOM_create, "mill_planar", "MILL_TEXT"), mill = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t plunge = made(UF_OPER_create, "mill_contour", "PLUNGE_MILLING");
    const tag_t zlevel = made(UF_OPER_create, "mill_contour", "ZLEVEL_PROFILE");
    const tag_t engrave = made(UF_OPER_create, "mill_contour", "CONTOUR_TEXT");
    const tag_t facing = made(UF_OPER_create, "mill_planar", "FACE_MILLING");
    for (auto [group, member] : {std::pair{r1, r2}, {r2, plunge}, {r2, zlevel}, {r1, facing}, {rough, semi}, {semi, zlevel},
                                 {named("MILL_FINISH"), facing}, {mcs, bounds}, {named("WORKPIECE_QZ"), plunge},
                                 {mill, plunge}, {ball, facing}, {ball, zlevel}, {ball, engrave}})
        ASSERT_EQ(UF_NCGROUP_accept_member(group, member), 0) << name(group) << " takes " << name(member);

    // Objects the CAM data refers to: a coordinate system, lines, a point and a note.
    const double axes[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1}, at[3] = {10, 10, 30};
    tag_t matrix = NULL_TAG, frame = NULL_TAG, point = NULL_TAG, note = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(at, matrix, &frame), 0);
    ASSERT_EQ(UF_OBJ_set_name(frame, "FRAME"), 0);
    double drill[3] = {10, 10, 15};
    ASSERT_EQ(UF_CURVE_create_point(drill, &point), 0);
    ASSERT_EQ(UF_OBJ_set_name(point, "PD1"), 0);
    char line[] = "E1-R", *lines_of_note[] = {line};
    double note_at[3] = {5, 5, 15};
    ASSERT_EQ(UF_DRF_create_note(1, lines_of_note, note_at, 0, &note), 0);
    ASSERT_EQ(UF_OBJ_set_name(note, "N1"), 0);
    std::vector<tag_t> lines;
    const double corners[4][3] = {{0, 0, 20}, {20, 0, 20}, {20, 20, 20}, {0, 20, 20}};
    for (int i = 0; i < 3; ++i) {
        UF_CURVE_line_t l{{corners[i][0], corners[i][1], corners[i][2]}, {corners[i + 1][0], corners[i + 1][1], corners[i + 1][2]}};
        lines.push_back(NULL_TAG);
        ASSERT_EQ(UF_CURVE_create_line(&l, &lines.back()), 0);
        ASSERT_EQ(UF_OBJ_set_name(lines.back(), ("L" + std::to_string(i + 1)).c_str()), 0);
    }
    tag_t top = NULL_TAG;
    for (tag_t f : faces)
        if (nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(f))->shape).offset == 15.0) top = f;

    // Groups: an MCS of its own, a boundary of curves, a note, feeds and tolerances.
    ASSERT_EQ(UF_PARAM_set_tag_value(mcs, UF_PARAM_MCS, frame), 0);
    UF_CAMBND_boundary_data_t open{};
    open.boundary_type = UF_CAM_boundary_type_open;
    open.material_side = UF_CAM_material_side_in_left;
    std::copy(axes, axes + 9, open.matrix);
    open.origin[2] = 20;
    UF_CAMBND_app_data_t member{};
    member.has_blank_distance = member.has_tool_position = 1;
    member.blank_distance = 1.5;
    member.tool_position = UF_CAM_tool_position_tanto;
    ASSERT_EQ(append_curves(bounds, UF_CAM_part, lines, open, member), 0);
    ASSERT_EQ(UF_CAMTEXT_append_items(text, 1, &note), 0);
    UF_PARAM_feedrate_t feed{UF_PARAM_feed_per_minute, 1600, 3};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(rough, UF_PARAM_FEED_CUT, &feed), 0);
    double tolerances[2] = {0.02, 0.03};
    ASSERT_EQ(UF_PARAM_set_2d_value(semi, UF_PARAM_TOL_IN_OUT, tolerances), 0);
    // A cutter with its holder and numbers.
    UF_CUTTER_holder_section_t sections[] = {{16, 30, 0, 0}, {25, 40, 0.1, 1}};
    for (UF_CUTTER_holder_section_t &section : sections) ASSERT_EQ(UF_CUTTER_create_holder_section(mill, &section), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(mill, UF_PARAM_TL_DIAMETER, 8), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(mill, UF_PARAM_TL_COR1_RAD, 0.5), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(mill, UF_PARAM_TL_NUMBER, 7), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(mill, UF_PARAM_TL_ADJ_REG_TOG, 1), 0);
    // Operations: levels of each range type, points of both kinds, items of every type with their data.
    ASSERT_EQ(UF_CUT_LEVELS_set_range_type(plunge, UF_PARAM_clv_range_user_defined, nullptr), 0);
    double z[2] = {12, 4};
    ASSERT_EQ(UF_CUT_LEVELS_add_levels_using_z(plunge, 2, z, 0.3, nullptr), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(plunge, UF_PARAM_CUTLEV_RANGE_SUBDIV_TYPE, 2), 0);
    UF_CAMGEOM_custom_point_t predrill{point, {0, 0, 0}, 0, 0, 3}, start{NULL_TAG, {1, 2, 3}, 2, 1, 0};
    UF_CAMGEOM_custom_point_p_t predrills[] = {&predrill}, starts[] = {&start};
    ASSERT_EQ(UF_CAMGEOM_append_custom_points(plunge, UF_CAMGEOM_predrill_engage_type, 1, predrills), 0);
    ASSERT_EQ(UF_CAMGEOM_append_custom_points(plunge, UF_CAMGEOM_cut_region_start_type, 1, starts), 0);
    ASSERT_EQ(UF_CAMGEOM_append_custom_points(facing, UF_CAMGEOM_cut_region_start_type, 1, starts), 0);
    UF_CAMGEOM_app_data_t data{};
    data.has_cut_stock = data.has_offset = 1;
    data.cut_stock[0] = 0.3;
    data.cut_stock[2] = 5;
    data.offsetType = 1;
    data.nominalOffset = 0.1;
    data.offset = 0.2;
    ASSERT_EQ(append_items(zlevel, UF_CAM_cut_area, {top}, data), 0);
    ASSERT_EQ(append_items(zlevel, UF_CAM_wall, {faces[1]}), 0);
    ASSERT_EQ(append_items(zlevel, UF_CAM_trim, {edges[0]}), 0);
    double offsets[6] = {0.4, 0, 0, 0, 0, 0};
    ASSERT_EQ(UF_CAM_set_auto_blank(plunge, UF_CAM_offset_from_part_type, offsets), 0);
    ASSERT_EQ(UF_CUT_LEVELS_set_range_type(zlevel, UF_PARAM_clv_range_single, nullptr), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(zlevel, UF_PARAM_CUTLEV_TOP_OFF_MODE, 1), 0);
    data = {};
    data.has_feedrate = data.has_tolerances = 1;
    data.feedrate_unit = UF_CAM_feedrate_unit_per_revolution;
    data.feedrate_value = 0.1;
    data.tolerances[0] = data.tolerances[1] = 0.005;
    ASSERT_EQ(append_items(contour, UF_CAM_drive, lines, data), 0);
    data = {};
    data.has_avoidance_type = 1;
    data.avoidance_type = UF_CAM_avoidance_type_lift;
    ASSERT_EQ(append_items(contour, UF_CAM_check, {body}, data), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(contour, UF_PARAM_STEPOVER_TYPE, UF_PARAM_stepover_type_scallop_height), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(contour, UF_PARAM_STEPOVER_SCALLOP, 0.005), 0);
    double plane_at[3] = {0, 0, 50}, up[3] = {0, 0, 1};
    ASSERT_EQ(UF_CAM_set_clear_plane_data(contour, plane_at, up), 0);
    ASSERT_EQ(UF_CAMTEXT_append_items(engrave, 1, &note), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(engrave, UF_PARAM_SPINDLE_RPM, 8000), 0);
    ASSERT_EQ(UF_PARAM_set_int_value(engrave, UF_PARAM_SPINDLE_RPM_TOG, 1), 0);
    UF_CAMBND_app_data_t whole{};
    whole.has_stock = 1;
    whole.stock = 0.05;
    UF_CAMBND_boundary_data_t from_face{};
    from_face.material_side = UF_CAM_material_side_in_left;
    from_face.app_data = &whole;
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(facing, UF_CAM_blank, top, &from_face), 0);
    ASSERT_EQ(append_items(facing, UF_CAM_wall, {faces[2]}), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(facing, UF_PARAM_STOCK_BLANK, 0.1), 0);
    logical generated = false;
    for (tag_t op : {plunge, facing}) ASSERT_EQ(UF_PARAM_generate(op, &generated), 0) << name(op);

    const std::string asked_before = walked(), tree_before = tree_of(part);
    const cam::Json section = cam::write_cam_section(part);
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/every.prt", &error)) << error;
    const tag_t again = nxhost::load_part("D:\\parts\\every.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    nxhost::set_display_part(again);
    EXPECT_EQ(walked(), asked_before);
    EXPECT_EQ(tree_of(again), tree_before);
    EXPECT_EQ(cam::write_cam_section(again).dump(1), section.dump(1));
    // The walk asked what was set, and the tree shows what no call answers (boundary data).
    for (const char *fragment :
         {"MCS=45/0 FRAME", "FEED_CUT=1:1600:3", "holder [16,30,0,0] [25,40,0.1,1]", "point 0 2/0 PD1[0,0,0][0,0,3]",
          "point 1 none[1,2,3][2,1,0]", "levels 15/1 12/0.3 10/1 4/0.3 0/1", "item 4 70/2 E1#", "item 6 3/0 L1", "text 25/1 N1",
          "boundary 0 10[0,0,20][0,1,0,-1,0,0,0,0,1]1000 3/0 L1 3/0 L2 3/0 L3", "blank 4[0.4,0,0,0,0,0]",
          "clearance [0,0,50][0,0,1]", "ref cutter BALL_MILL", "path generated"})
        EXPECT_NE(asked_before.find(fragment), std::string::npos) << fragment << "\nin\n" << asked_before;
    for (const char *line : {"member L2: blank distance 1.5, tool position tanto", "data stock 0.05"})
        EXPECT_NE(tree_before.find(line), std::string::npos) << line << "\nin\n" << tree_before;
}

TEST_F(CamFileTest, TheShippedTemplatesShowTheirPlanInTheNavigatorsViews) {
    const tag_t part = open_json(read_source("qz_conf/cam_qz/cam_template/cu_quick.prt"), "cu_quick.prt");
    const std::string tree = tree_of(part);
    for (const char *line : {"cam setup of type TT\n", "          CAV_TOP-R1  cavity milling  cutter D16R0.8  geometry "
                                                       "WORKPIECE_QZ  method MILL_ROUGH\n",
                             "            stock part 0.3  floor 0.15\n",
                             "          FACE_BOT-F2-S-0.05  face milling  cutter D10  geometry WORKPIECE_QZ  method "
                             "MILL_FINISH\n",
                             "      D16R0.8  cutter D16 R0.8  length 100  flute length 32  flutes 4  no. 112  holder "
                             "50x40, 50x20, 63x25\n"})
        EXPECT_NE(tree.find(line), std::string::npos) << line << "in\n" << tree;
}

TEST_F(CamFileTest, AMalformedCamSectionIsRefusedWithFileAndField) {
    const struct {
        const char *cam;
        const char *error;
    } cases[] = {
        {R"({"setup":"TT"})", R"(cam: unexpected key "setup")"},
        {R"({"program":[{"group":"R","kind":"mcs"}]})", R"(cam: program[0].kind: unknown kind "mcs" of a group of the program view)"},
        {R"({"machine":[{"group":"X"}]})", "cam: machine[0]: the machine tool view holds cutters, not groups"},
        {R"({"program":[{"cutter":"D1"}]})", "cam: program[0]: cutters belong to the machine tool view"},
        {R"({"program":[{"group":"R"},{"group":"R"}]})", "cam: program[1]: two CAM objects are named R"},
        {R"({"program":[{"operation":"A","kind":"fixed_contour","params":{"STOCK_FLOOR":1}}]})",
         "cam: program[0].params.STOCK_FLOOR: STOCK_FLOOR belongs to planar milling (110), cavity milling (260)"},
        {R"({"program":[{"operation":"A","kind":"zlevel","params":{"STOCK_PARTS":1}}]})",
         "cam: program[0].params.STOCK_PARTS: unknown parameter"},
        {R"({"program":[{"operation":"A","kind":"drill"}]})", R"(cam: program[0].kind: unknown operation kind "drill")"},
        {R"({"machine":[{"cutter":"D1","members":[{"operation":"B"}]}]})",
         "cam: machine[0].members[0]: no operation named B in the program view"},
        {R"({"geometry":[{"group":"W","kind":"workpiece","geometry":{"part":[{"body":"E9"}]}}]})",
         "cam: geometry[0].geometry.part[0].body: no body named E9"},
        {R"({"geometry":[{"group":"W","kind":"workpiece","geometry":{"part":[{"body":"E1","face":6}]}}]})",
         "cam: geometry[0].geometry.part[0].face: E1 has 6 faces"},
        {R"({"program":[{"operation":"A","kind":"cavity_mill","cut_levels":{"levels":[[1,0.5],[2,0.5]]}}]})",
         "cam: program[0].cut_levels.levels[1]: levels go from the top down"},
        {R"({"machine":[{"cutter":"D1","holder":[{"diameter":0,"length":3}]}]})",
         "cam: machine[0].holder[0]: a holder section needs a diameter and a length above 0"},
        {R"({"program":[{"operation":"A","kind":"planar_mill","params":{"CUT_METHOD":42}}]})",
         "cam: program[0].params.CUT_METHOD: CUT_METHOD takes 1 zig-zag, 2 zig,"},
        {R"({"program":[{"operation":"A","kind":"zlevel","params":{"FEED_CUT":{"unit":"per_minute","value":1,"color":300}}}]})",
         "cam: program[0].params.FEED_CUT.color: expected an NX colour index 0 to 216"},
        {R"({"program":[{"operation":"A","kind":"planar_mill","params":{"FLOOR":{"body":"E1"}}}]})",
         "cam: program[0].params.FLOOR: the floor must be a transform"},
        {R"({"geometry":[{"group":"W","kind":"workpiece","boundaries":{"part":[]}}]})",
         "cam: geometry[0].boundaries: only a boundary group holds boundaries"},
        {R"({"program":[{"operation":"A","kind":"planar_mill","boundaries":{"part":[{"plane":"user","members":[]}]}}]})",
         "cam: program[0].boundaries.part[0].matrix: a user plane needs orthonormal right-handed rows X, Y, Z"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cam);
        write_file("parts/bad.prt", std::string(R"({"format":"nxhost-part/1","bodies":[{"name":"E1","shape":)") +
                                        R"({"box":{"min":[0,0,0],"max":[1,1,1]}}}],"cam":)" + c.cam + "}");
        std::string error;
        EXPECT_EQ(nxhost::load_part("D:\\parts\\bad.prt", &error), NULL_TAG);
        EXPECT_EQ(error.rfind(std::string("D:\\parts\\bad.prt: ") + c.error, 0), 0u) << error;
    }
    EXPECT_EQ(nxhost::loaded_parts().size(), 0u) << "a refused part leaves nothing behind";
}

}  // namespace
