// A stand-in session with NX's folder of this build, the CAM library parts of the sample
// configuration on drive D and a site CAM configuration offering mill_planar, mill_contour and TT.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_obj.h"
#include "uf_setup.h"

class CamTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        use_nx_root("D:\\cam\\site.dat");
        for (const char *file : {"qz_conf/cam_qz/TT.prt", "qz_conf/temp/qz_tool_template.prt"})
            write_file(file, read_source(file));
        write_file("cam/site.dat",
                   "# test site\r\n"
                   "template_part: ${UGII_BASE_DIR}\\MACH\\resource\\template_part\\metric\\mill_planar.prt\n"
                   "template_part: ${UGII_BASE_DIR}\\MACH\\resource\\template_part\\metric\\mill_contour.prt\n"
                   "template_part: D:\\qz_conf\\cam_qz\\TT.prt\n");
    }

    static std::string read_source(const std::string &relative) {
        std::FILE *f = std::fopen((testsupport::source_dir() + "/conf/" + relative).c_str(), "rb");
        std::string bytes;
        if (!f) return bytes;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        std::fclose(f);
        return bytes;
    }

    // Loads a part of the given JSON under D:\parts\NAME and displays it.
    tag_t open_json(const std::string &json, const std::string &name = "work.prt") {
        write_file("parts/" + name, json);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\" + name, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        return part;
    }

    // A displayed part with the bodies (a JSON list) and a setup of type TT.
    tag_t tt_part(const std::string &bodies = "[]") {
        const tag_t part = open_json(R"({"format":"nxhost-part/1","bodies":)" + bodies + "}");
        EXPECT_EQ(UF_CAM_init_session(), 0);
        EXPECT_EQ(UF_SETUP_create(part, "TT"), 0);
        return part;
    }

    // The object of the work part named exactly name (NULL_TAG when none).
    static tag_t named(const char *name) {
        tag_t found = NULL_TAG;
        UF_OBJ_cycle_by_name(name, &found);
        return found;
    }

    // Appends CAM geometry items, each with an application data record, as NX wants them.
    static int append_items(tag_t object, UF_CAM_geom_type_t type, std::vector<tag_t> entities,
                            UF_CAMGEOM_app_data_t data = {}) {
        std::vector<UF_CAMGEOM_app_data_t> copies(entities.size(), data);
        std::vector<UF_CAMGEOM_app_data_p_t> records;
        for (UF_CAMGEOM_app_data_t &copy : copies) records.push_back(&copy);
        return UF_CAMGEOM_append_items(object, type, static_cast<int>(entities.size()), entities.data(), records.data());
    }

    // Appends one boundary of curves, each member with a copy of the member data.
    static int append_curves(tag_t object, UF_CAM_geom_type_t type, std::vector<tag_t> curves,
                             UF_CAMBND_boundary_data_t bound, UF_CAMBND_app_data_t member = {}) {
        std::vector<UF_CAMBND_app_data_t> copies(curves.size(), member);
        std::vector<UF_CAMBND_app_data_p_t> records;
        for (UF_CAMBND_app_data_t &copy : copies) records.push_back(&copy);
        return UF_CAMBND_append_bnd_from_curve(object, type, static_cast<int>(curves.size()), curves.data(), &bound,
                                               records.data());
    }

    // An object made by a create call from a template of a type; fails the test when it is not.
    static tag_t made(int (*create)(char *, char *, tag_t *), std::string type, std::string subtype) {
        tag_t tag = NULL_TAG;
        EXPECT_EQ(create(type.data(), subtype.data(), &tag), 0) << type << " " << subtype;
        return tag;
    }
};
