// The set-up services on sample electrodes: the shipped configuration (English catalogues) and
// the sample parts on drive D, NX's folder of this build, a displayed part with a TT setup whose
// named bodies are the turn's electrodes, and the main dialog's default settings. The add-on's
// per-turn state is freed after each test, as a new turn frees it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_setup.h"

class SetupTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        default_dlg_state(&static_dlg_state);
    }
    void TearDown() override {
        forget_turn();
        default_dlg_state(&static_dlg_state);
        static_nx_release = 0.0;
        StandinTest::TearDown();
    }

    // What a new turn frees.
    static void forget_turn() {
        reset_mcs_and_workpiece();
        reset_start_points();
        if (static_elec_tags) UF_free(static_elec_tags);
        static_elec_tags = nullptr;
        static_elec_count = 0;
    }

    // Displays D:\samples\<file> (or a part of that JSON text written there first) with a setup of
    // type TT, and makes the named bodies the turn's electrodes, in that order.
    tag_t open(const std::string &file, const std::vector<std::string> &electrodes, const std::string &json = "") {
        if (!json.empty()) write_file("samples/" + file, json);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\samples\\" + file, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        EXPECT_EQ(UF_CAM_init_session(), 0);
        EXPECT_EQ(UF_SETUP_create(part, "TT"), 0);
        choose(electrodes);
        return part;
    }

    static void choose(const std::vector<std::string> &electrodes) {
        if (static_elec_tags) UF_free(static_elec_tags);
        int rc = 0;
        static_elec_tags =
            static_cast<tag_t *>(UF_allocate_memory(static_cast<unsigned int>(electrodes.size() * sizeof(tag_t)), &rc));
        static_elec_count = static_cast<int>(electrodes.size());
        for (std::size_t i = 0; i < electrodes.size(); ++i) static_elec_tags[i] = body(electrodes[i]);
    }

    static tag_t body(const std::string &name) {
        for (tag_t t : nxhost::store().in_part(nxhost::display_part(), UF_solid_type)) {
            const nxhost::Object *obj = nxhost::store().find(t);
            if (obj->subtype == UF_solid_body_subtype && obj->name == name) return t;
        }
        ADD_FAILURE() << "no body " << name;
        return NULL_TAG;
    }

    // The exact extent of a body, as OCCT measures it: the oracle of the add-on's boxes.
    static std::array<double, 6> exact_box(tag_t tag) {
        std::array<double, 6> box{};
        EXPECT_TRUE(nxhost::modeling::exact_box(nxhost::modeling::shape_payload(*nxhost::store().find(tag))->shape, &box));
        return box;
    }

    // Objects of the displayed part, to show that a call made nothing new.
    static std::size_t object_count() { return nxhost::store().in_part(nxhost::display_part()).size(); }
};
