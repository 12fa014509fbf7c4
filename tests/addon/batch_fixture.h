// The main dialog on a small plan of its own, for the actions that end a part's programming:
// the report, the hand-off to a background computer and the walk through a batch of part files.
// Drive D holds the shipped configuration (English catalogues); parts are boxes written here.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/parts/parts.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "standin_test.h"
#include "sys/sys_faults.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/session/session.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"
#include "torvane/state/plan_view.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_obj.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace batchtest {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A part of two box electrodes.
inline const char kTwoBoxes[] = R"({"format":"nxhost-part/1","bodies":[)"
                                R"({"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}},)"
                                R"({"name":"E2","shape":{"box":{"min":[2,0,0],"max":[3,1,1]}}}]})";

inline std::string joined(const Lines &lines) {
    std::string all;
    for (const std::string &line : lines) all += line + "\n";
    return all;
}

inline bool mentions(const Lines &lines, const std::string &part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &l) { return l.find(part) != std::string::npos; });
}

// Host path below drive D for a Windows path "D:\...".
inline std::string relative_of(const std::string &windows) {
    std::string rel = windows.substr(3);
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return rel;
}

class BatchDialog : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        sys_fault_reset();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        nxhost::add_dialog_directory((fs::path(testsupport::source_dir()) / "torvane/dialogs").string());
        prepare_session();
    }

    void TearDown() override {
        sys_fault_reset();
        reset_turn_state();
        free_part_file_list();
        free_tool_data_list(&static_tool_list);
        StandinTest::TearDown();
    }

    // What ufusr's start would have read.
    static void prepare_session() {
        const char *libraries[TOOL_LIBREF_COUNT] = {"QZ_STD_MILL", "QZ_GRAPHITE", "NONE", "NONE", "NONE", "NONE"};
        for (int n = 0; n < TOOL_LIBREF_COUNT; ++n)
            std::snprintf(static_tool_libref_names[n], TOOL_LIBREF_NAME_BUFSIZE, "%s", libraries[n]);
        read_config_edm_descr(&static_edm_descr);
        static_nx_release = 12.0;
    }

    // Writes the part at a Windows path of drive D unless it is there, displays it with a CAM
    // setup, and takes its two boxes as the electrodes.
    void open_part(const std::string &windows_path) {
        if (!file_exists(relative_of(windows_path))) write_file(relative_of(windows_path), kTwoBoxes);
        std::string error;
        tag_t part = nxhost::load_part(windows_path, &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        take_electrodes();
    }

    // The displayed part's boxes as the electrodes, with a CAM setup.
    void take_electrodes() {
        EXPECT_EQ(UF_CAM_init_session(), 0);
        tag_t setup = NULL_TAG;
        UF_SETUP_ask_setup(&setup);
        if (setup == NULL_TAG) {
            EXPECT_EQ(UF_SETUP_create(UF_PART_ask_display_part(), "TT"), 0);
        }
        if (static_elec_tags) UF_free(static_elec_tags);
        int rc = 0;
        static_elec_tags = static_cast<tag_t *>(UF_allocate_memory(2 * sizeof(tag_t), &rc));
        static_elec_count = 0;
        for (const char *name : {"E1", "E2"}) {
            tag_t body = NULL_TAG;
            UF_OBJ_cycle_by_name(name, &body);
            static_elec_tags[static_elec_count++] = body;
        }
    }

    // Class R with the group R1-R of one cavity operation, class F with the group F1-F.
    static void plan() {
        r_m_f_or_other *r = new_rmf_node("R", NULL_TAG);
        append_rmf_node(&static_plan_list, r);
        prog_group *group = new_prog_group_node("R1-R", NULL_TAG, 0);
        append_prog_group_node(r, group);
        oper *node = new_oper_node("CAV_TOP-R1", 100, 260, NULL_TAG);
        copy_cutter_name(node->tool_name, "D12");
        append_oper_node(group, node);
        r_m_f_or_other *f = new_rmf_node("F", NULL_TAG);
        append_rmf_node(&static_plan_list, f);
        append_prog_group_node(f, new_prog_group_node("F1-F", NULL_TAG, 0));
    }

    // Off while NX calls are made to fail: the dialog may then not be created.
    bool expect_dialog_created_ = true;

    // Plays the main dialog; its response.
    int run(const std::string &actions) {
        play("dialog torvane_dlg.dlg\n" + actions);
        int response = 0;
        const int rc = run_main_dialog(&response);
        if (expect_dialog_created_) {
            EXPECT_EQ(rc, 0);
        }
        return response;
    }

    // Plays the actions, then Back unless an action closed the dialog: the response, or
    // kClosedByAction.
    static constexpr int kClosedByAction = -1;
    int run_closing(const std::string &actions) {
        try {
            return run(actions + " press BACK\n");
        } catch (const nxhost::script::ScriptError &e) {
            // The player stops at a Back that has no dialog left, once the dialog is gone whole.
            if (std::string(e.what()).find("was closed by") == std::string::npos) throw;
            remove_plan_view();
            return kClosedByAction;
        }
    }

    Lines messages() const { return addontest::as_utf8(shown("message")); }
    Lines dialog_lines() const { return addontest::as_utf8(shown("dialog")); }

    // Every file below drive D with its bytes.
    std::map<std::string, std::string> drive_files() const {
        std::map<std::string, std::string> files;
        for (const auto &entry : fs::recursive_directory_iterator(drive_dir()))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), drive_dir()).generic_string()] =
                    testsupport::read_host_file(entry.path().string());
        return files;
    }

    // Files that are new or changed since before, relative to drive D.
    std::vector<std::string> changed_since(const std::map<std::string, std::string> &before) const {
        std::vector<std::string> changed;
        for (const auto &[name, bytes] : drive_files()) {
            auto was = before.find(name);
            if (was == before.end() || was->second != bytes) changed.push_back(name);
        }
        return changed;
    }
};

}  // namespace batchtest
