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
        UF_PARAM_set_tag_value(planar, 3007, faces[5]);
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
    EXPECT_NE(before.find("boundary part closed from E1:face 5 loop 0 in plane at [0,0,0]: E1:edge "), std::string::npos) << before;
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
