// The sample electrodes (conf/samples/electrode_shapes.prt with its STEP files) as the displayed
// part on drive D, with the shipped English catalogues, and ways to name their faces.
#pragma once

#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf_object_types.h"

class GeometryTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        namespace fs = std::filesystem;
        const fs::path source = testsupport::source_dir();
        fs::create_directories(fs::path(drive_dir()) / "qz_conf");
        fs::copy(source / "conf/lang-en", fs::path(drive_dir()) / "qz_conf/lang");
        fs::copy(source / "conf/qz_conf/config_cam.def", fs::path(drive_dir()) / "qz_conf/config_cam.def");
        fs::copy(source / "conf/samples", fs::path(drive_dir()) / "samples");
    }

    // Loads D:\samples\<file> (or a part written from text first) as the displayed part.
    tag_t display(const std::string &file, const std::string &text = "") {
        if (!text.empty()) write_file("samples/" + file, text);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\samples\\" + file, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        return part;
    }
    tag_t display_samples() { return display("electrode_shapes.prt"); }

    static std::vector<tag_t> bodies() {
        std::vector<tag_t> found;
        for (tag_t t : nxhost::store().in_part(nxhost::display_part(), UF_solid_type))
            if (nxhost::store().find(t)->subtype == UF_solid_body_subtype) found.push_back(t);
        return found;
    }
    static tag_t body(const std::string &name) {
        for (tag_t t : bodies())
            if (nxhost::store().find(t)->name == name) return t;
        ADD_FAILURE() << "no body " << name;
        return NULL_TAG;
    }
    static std::vector<tag_t> faces(tag_t body) { return nxhost::store().children(body, UF_solid_face_subtype); }
    static const nxhost::modeling::ShapeRef &shape(tag_t tag) {
        return nxhost::modeling::shape_payload(*nxhost::store().find(tag))->shape;
    }
    static std::array<double, 6> exact_box(tag_t tag) {
        std::array<double, 6> box{};
        EXPECT_TRUE(nxhost::modeling::exact_box(shape(tag), &box));
        return box;
    }

    // "+Z@15" for a planar face with outward normal +Z in the plane z = 15, the surface kind
    // ("cylindrical") otherwise, "-" for no face.
    static std::string face_label(tag_t face) {
        if (face == NULL_TAG) return "-";
        const nxhost::modeling::FaceInfo info = nxhost::modeling::face_info(shape(face));
        if (!info.planar) return nxhost::modeling::face_type_name(info.type);
        const std::string axis = nxhost::modeling::axis_label(info.normal);
        const double level = std::round(info.offset * 1000) / 1000;
        const double coordinate = (axis[0] == '-' ? -level : level) + 0.0;  // no "-0"
        char text[64];
        std::snprintf(text, sizeof text, "%s@%g", axis.c_str(), coordinate);
        return text;
    }
    // The first face of a body with that label.
    static tag_t face_labelled(tag_t body, const std::string &label) {
        for (tag_t face : faces(body))
            if (face_label(face) == label) return face;
        ADD_FAILURE() << "no face " << label;
        return NULL_TAG;
    }
};
