// The CAM tree in part files: a tree saved and loaded again is the same tree, the navigator's
// views in `nxhost tree`, and a malformed "cam" section refused with file and field.
#include <sstream>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_file.h"
#include "nxhost/objects/store.h"
#include "uf_attr.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_csys.h"
#include "uf_curve.h"
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
