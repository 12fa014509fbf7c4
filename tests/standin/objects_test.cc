// Names, attributes, layers, blanking and cycling over the object store.
#include <cstring>

#include "nxhost/core/guard.h"
#include "part_fixture.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_layer.h"
#include "uf_obj.h"
#include "uf_object_types.h"

namespace {

using ObjectsTest = PartTest;

UF_ATTR_value_t real_value(double v) {
    UF_ATTR_value_t value{};
    value.type = UF_ATTR_real;
    value.value.real = v;
    return value;
}

UF_ATTR_value_t int_value(int v) {
    UF_ATTR_value_t value{};
    value.type = UF_ATTR_integer;
    value.value.integer = v;
    return value;
}

UF_ATTR_value_t string_value(const char *v) {
    UF_ATTR_value_t value{};
    value.type = UF_ATTR_string;
    value.value.string = const_cast<char *>(v);
    return value;
}

char *title(const char *t) { return const_cast<char *>(t); }

TEST_F(ObjectsTest, AttributesAreFoundByTitleAndType) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    ASSERT_EQ(UF_ATTR_assign(e1, title("gap"), real_value(0.15)), 0);
    ASSERT_EQ(UF_ATTR_assign(e1, title("count"), int_value(2)), 0);
    ASSERT_EQ(UF_ATTR_assign(e1, title("IS_CLAMP"), string_value("")), 0);

    struct Case { const char *title; int asked; int found; } cases[] = {
        {"gap", UF_ATTR_real, UF_ATTR_real},       {"gap", UF_ATTR_any, UF_ATTR_real},
        {"gap", UF_ATTR_integer, 0},               {"count", UF_ATTR_integer, UF_ATTR_integer},
        {"IS_CLAMP", UF_ATTR_string, UF_ATTR_string}, {"is_clamp", UF_ATTR_string, 0},
        {"missing", UF_ATTR_any, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.title) + " asked as " + std::to_string(c.asked));
        int found = -1;
        ASSERT_EQ(UF_ATTR_find_attribute(e1, c.asked, title(c.title), &found), 0);
        EXPECT_EQ(found, c.found);
    }
}

TEST_F(ObjectsTest, ValuesReadBackAsAssignedAndStringsAreNxMemoryOrTheCallersBuffer) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    UF_ATTR_assign(e1, title("gap"), real_value(0.15));
    UF_ATTR_assign(e1, title("note"), string_value("top face first"));

    UF_ATTR_value_t value{};
    ASSERT_EQ(UF_ATTR_read_value(e1, title("gap"), UF_ATTR_any, &value), 0);
    EXPECT_EQ(value.type, UF_ATTR_real);
    EXPECT_DOUBLE_EQ(value.value.real, 0.15);

    UF_ATTR_value_t text{};
    text.value.string = nullptr;
    ASSERT_EQ(UF_ATTR_read_value(e1, title("note"), UF_ATTR_any, &text), 0);
    EXPECT_STREQ(text.value.string, "top face first");
    UF_free(text.value.string);

    char buffer[UF_ATTR_MAX_STRING_BUFSIZE];
    UF_ATTR_value_t into{};
    into.value.string = buffer;
    ASSERT_EQ(UF_ATTR_read_value(e1, title("note"), UF_ATTR_string, &into), 0);
    EXPECT_STREQ(buffer, "top face first");

    UF_ATTR_value_t none{};
    ASSERT_EQ(UF_ATTR_read_value(e1, title("absent"), UF_ATTR_any, &none), 0);
    EXPECT_EQ(none.type, 0);
}

TEST_F(ObjectsTest, OneTitleCarriesOneAttributePerTypeAndDeletingAnyRemovesAll) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    UF_ATTR_assign(e1, title("X"), real_value(1.0));
    UF_ATTR_assign(e1, title("X"), string_value("one"));
    UF_ATTR_assign(e1, title("X"), real_value(2.0));  // replaces the real, keeps the string
    UF_ATTR_value_t value{};
    UF_ATTR_read_value(e1, title("X"), UF_ATTR_real, &value);
    EXPECT_DOUBLE_EQ(value.value.real, 2.0);
    int found = 0;
    UF_ATTR_find_attribute(e1, UF_ATTR_string, title("X"), &found);
    EXPECT_EQ(found, UF_ATTR_string);

    ASSERT_EQ(UF_ATTR_delete(e1, UF_ATTR_any, title("X")), 0);
    UF_ATTR_find_attribute(e1, UF_ATTR_any, title("X"), &found);
    EXPECT_EQ(found, 0);
    EXPECT_NE(UF_ATTR_delete(e1, UF_ATTR_any, title("X")), 0);
}

TEST_F(ObjectsTest, BadTitlesAreRefused) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    const std::string too_long(UF_ATTR_MAX_TITLE_NCHARS + 1, 'A');
    EXPECT_NE(UF_ATTR_assign(e1, title(""), int_value(1)), 0);
    EXPECT_NE(UF_ATTR_assign(e1, const_cast<char *>(too_long.c_str()), int_value(1)), 0);
    EXPECT_EQ(UF_ATTR_assign(e1, const_cast<char *>(too_long.substr(1).c_str()), int_value(1)), 0);
}

TEST_F(ObjectsTest, NamesAreSetAskedAndCycled) {
    const tag_t part = load_boxes({"E1", "E2", "E1"});
    char name[UF_OBJ_NAME_BUFSIZE];
    ASSERT_EQ(UF_OBJ_ask_name(body("E2"), name), 0);
    EXPECT_STREQ(name, "E2");

    std::vector<tag_t> named;
    tag_t cursor = NULL_TAG;
    while (UF_OBJ_cycle_by_name_and_type(part, "E1", UF_solid_type, false, &cursor) == 0 && cursor != NULL_TAG)
        named.push_back(cursor);
    EXPECT_EQ(named.size(), 2u);

    nxhost::Object &unnamed = nxhost::store().create(UF_point_type, 0, part);
    EXPECT_NE(UF_OBJ_ask_name(unnamed.tag, name), 0);
    EXPECT_STREQ(name, "");
    ASSERT_EQ(UF_OBJ_set_name(unnamed.tag, "P1"), 0);
    cursor = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_by_name("P1", &cursor), 0);
    EXPECT_EQ(cursor, unnamed.tag);
}

TEST_F(ObjectsTest, CyclingByTypeGivesBodiesInCreationOrderButNotTheirFaces) {
    const tag_t part = load_boxes({"E1", "E2", "E3"});
    std::vector<std::string> names;
    tag_t cursor = NULL_TAG;
    while (UF_OBJ_cycle_objs_in_part(part, UF_solid_type, &cursor) == 0 && cursor != NULL_TAG) {
        int type = 0, subtype = -1;
        UF_OBJ_ask_type_and_subtype(cursor, &type, &subtype);
        EXPECT_EQ(subtype, UF_solid_body_subtype);
        names.push_back(nxhost::store().find(cursor)->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"E1", "E2", "E3"}));
}

TEST_F(ObjectsTest, LayersBlankingAndDisplayPropertiesFollowTheObject) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    ASSERT_EQ(UF_OBJ_set_layer(e1, 253), 0);
    ASSERT_EQ(UF_OBJ_set_blank_status(e1, UF_OBJ_BLANKED), 0);
    UF_OBJ_disp_props_t props{};
    ASSERT_EQ(UF_OBJ_ask_display_properties(e1, &props), 0);
    EXPECT_EQ(props.layer, 253);
    EXPECT_EQ(props.blank_status, UF_OBJ_BLANKED);
    EXPECT_NE(UF_OBJ_set_layer(e1, 0), 0);
    EXPECT_NE(UF_OBJ_set_layer(e1, 257), 0);

    int status = 0;
    ASSERT_EQ(UF_LAYER_ask_status(1, &status), 0);
    EXPECT_EQ(status, UF_LAYER_WORK_LAYER);
    ASSERT_EQ(UF_LAYER_set_status(253, UF_LAYER_INACTIVE_LAYER), 0);
    UF_LAYER_ask_status(253, &status);
    EXPECT_EQ(status, UF_LAYER_INACTIVE_LAYER);
    EXPECT_NE(UF_LAYER_set_status(1, UF_LAYER_INACTIVE_LAYER), 0) << "the work layer cannot be hidden";
    ASSERT_EQ(UF_LAYER_set_status(10, UF_LAYER_WORK_LAYER), 0);
    UF_LAYER_ask_status(1, &status);
    EXPECT_EQ(status, UF_LAYER_ACTIVE_LAYER) << "the old work layer becomes selectable";
}

TEST_F(ObjectsTest, ADeletedBodyTakesItsFacesAlongAndItsTagGoesStale) {
    load_boxes({"E1"});
    const tag_t e1 = body("E1");
    const std::vector<tag_t> faces = nxhost::store().children(e1, UF_solid_face_subtype);
    ASSERT_EQ(faces.size(), 6u);
    ASSERT_EQ(UF_OBJ_delete_object(e1), 0);
    EXPECT_EQ(UF_OBJ_ask_status(e1), UF_OBJ_DELETED);
    EXPECT_EQ(UF_OBJ_ask_status(faces[0]), UF_OBJ_DELETED);
    int type = 0, subtype = 0;
    EXPECT_EQ(UF_OBJ_ask_type_and_subtype(e1, &type, &subtype), nxhost::kBadTag);
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u) << "a stale tag is the caller's fault";
    expect_clean_session_ = false;
    UF_terminate();
}

}  // namespace
