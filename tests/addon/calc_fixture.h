// The calculation on the sample electrodes: the standard copper template scanned into the plan,
// the classes switched on, and helpers that read back what an Apply made.
#pragma once

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "setup_fixture.h"
#include "torvane/plan/template_scan.h"
#include "uf_camgeom.h"
#include "uf_cut_levels.h"
#include "uf_param.h"
#include "uf_param_indices.h"

// The sample electrodes under the standard copper template, every class on: rough gap 0.2 and
// allowance 0.25, finish gap 0.08.
class CalcTest : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        prepare("electrodes.prt", {"EL-001", "EL-002", "EL-003", "EL-004"});
    }
    void TearDown() override {
        free_plans();
        SetupTest::TearDown();
    }

    void prepare(const std::string &part, const std::vector<std::string> &electrodes, const std::string &json = "",
                 const char *template_file = "cu_std.prt") {
        open(part, electrodes, json);
        default_dlg_state(&static_dlg_state);
        static_dlg_state.toggle_4 = static_dlg_state.toggle_6 = static_dlg_state.toggle_8 = 1;
        static_dlg_state.real_5 = 0.2;
        static_dlg_state.real_9 = 0.08;
        static_nx_release = 12.0;
        ASSERT_EQ(get_template_group_and_oper(template_file, &static_plan_list, &static_insert_group_list,
                                              &static_insert_oper_list),
                  1);
    }
    static void free_plans() {
        free_plan_tree(&static_plan_list);
        free_plan_tree(&static_insert_group_list);
        free_plan_tree(&static_insert_oper_list);
    }

    static oper *planned(const char *name) {
        oper *node = nullptr;
        EXPECT_EQ(find_oper_node(name, &node, nullptr, nullptr), 1) << name;
        return node;
    }

    // Leaves every other operation of the plan without a cutter, so that none is made.
    static void keep_only(std::initializer_list<const char *> names) {
        visit_plan_opers(static_plan_list, [&](oper *node, prog_group *, r_m_f_or_other *) {
            bool kept = false;
            for (const char *name : names) kept = kept || std::strcmp(node->name, name) == 0;
            if (!kept) node->tool_name[0] = '\0';
            return false;
        });
    }

    // Takes every other operation out of the plan.
    static void only_in_plan(std::initializer_list<const char *> names) {
        for (r_m_f_or_other *rmf = static_plan_list; rmf; rmf = rmf->next_p)
            for (prog_group *group = rmf->prog_group_list_p; group; group = group->next_p) {
                oper *node = group->oper_list_p;
                while (node) {
                    oper *next = node->next_p;
                    bool kept = false;
                    for (const char *name : names) kept = kept || std::strcmp(node->name, name) == 0;
                    if (!kept) {
                        (node->prev_p ? node->prev_p->next_p : group->oper_list_p) = next;
                        if (next) next->prev_p = node->prev_p;
                        free_oper_node(node);
                    }
                    node = next;
                }
            }
    }

    std::string listing() const {
        std::string text;
        for (const std::string &line : shown("listing")) text += line + "\n";
        return text;
    }

    static double real(tag_t object, int index) {
        double value = -999.0;
        EXPECT_EQ(UF_PARAM_ask_double_value(object, index, &value), 0);
        return value;
    }
    static int integer(tag_t object, int index) {
        int value = -999;
        EXPECT_EQ(UF_PARAM_ask_int_value(object, index, &value), 0);
        return value;
    }
    static double bottom_level(tag_t oper_tag) {
        UF_CUT_LEVELS_t *levels = nullptr;
        EXPECT_EQ(UF_CUT_LEVELS_load(oper_tag, &levels), 0);
        const double z = levels->cut_levels[levels->num_levels - 1].z_level;
        UF_CUT_LEVELS_free(&levels);
        return z;
    }
    static std::vector<UF_CAMGEOM_custom_point_t> start_points(tag_t oper_tag) {
        int count = 0;
        UF_CAMGEOM_custom_point_p_t *points = nullptr;
        EXPECT_EQ(UF_CAMGEOM_ask_custom_points(oper_tag, UF_CAMGEOM_cut_region_start_type, &count, &points), 0);
        std::vector<UF_CAMGEOM_custom_point_t> result;
        for (int i = 0; i < count; ++i) {
            result.push_back(*points[i]);
            UF_free(points[i]);
        }
        UF_free(points);
        return result;
    }
    // The per-electrode operations of a planned node: it and the copies after it.
    static std::vector<oper *> with_copies(oper *node, int count) {
        std::vector<oper *> nodes;
        for (; node && static_cast<int>(nodes.size()) < count; node = node->next_p) nodes.push_back(node);
        return nodes;
    }
};
