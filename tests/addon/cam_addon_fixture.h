// Add-on code against the stand-in's CAM model: the shipped configuration on drive D (English
// catalogues), NX's folder of this build, and a displayed part with a setup of type TT.
#pragma once

#include <string>

#include "addon_test_util.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_obj.h"
#include "uf_setup.h"

class AddonCamTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        write_file("parts/work.prt", std::string(R"({"format":"nxhost-part/1","bodies":)") + bodies() + "}");
        std::string error;
        part_ = nxhost::load_part("D:\\parts\\work.prt", &error);
        ASSERT_NE(part_, NULL_TAG) << error;
        nxhost::set_display_part(part_);
        ASSERT_EQ(UF_CAM_init_session(), 0);
        if (with_setup()) {
            ASSERT_EQ(UF_SETUP_create(part_, "TT"), 0);
        }
    }

    // The bodies of the working part (a JSON list) and whether it starts with a setup.
    virtual std::string bodies() const { return R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[20,20,10]}}}])"; }
    virtual bool with_setup() const { return true; }

    static tag_t named(const char *name) {
        tag_t found = NULL_TAG;
        UF_OBJ_cycle_by_name(name, &found);
        return found;
    }

    static tag_t root(int (*ask)(tag_t, tag_t *)) {
        tag_t setup = NULL_TAG, group = NULL_TAG;
        UF_SETUP_ask_setup(&setup);
        ask(setup, &group);
        return group;
    }

    static std::string name(tag_t tag) {
        char text[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(tag, text);
        return text;
    }

    tag_t part_ = NULL_TAG;
};
