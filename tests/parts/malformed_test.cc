// A part file that cannot be loaded gives an error naming the file and the place, and no part.
#include "parts_fixture.h"
#include "uf_part.h"

namespace {

class MalformedTest : public PartsTest {
protected:
    // A part of one body E1.
    static std::string one(const std::string &shape, const std::string &rest = "") {
        return part_text(body_text("E1", shape, rest));
    }
};

TEST_F(MalformedTest, EachFaultIsNamedWithFileAndPlace) {
    const std::string box = kUnitBox;
    // The expected error follows "D:\parts\bad.prt: "; "@" stands for "bodies[0]".
    struct Case { std::string text, expected; } cases[] = {
        {R"({"format":"nxhost-part/1",)", "not valid JSON: "},
        {R"({"units":"mm"})", "format: missing"},
        {R"({"format":"nxhost-part/2"})", "format: expected \"nxhost-part/1\", found \"nxhost-part/2\""},
        {part_text("", "inch"), "units: expected \"mm\" or \"m\", found \"inch\""},
        {R"({"format":"nxhost-part/1","bodies":{}})", "bodies: expected a list, found object"},
        {part_text(body_text("E1", box) + "," + body_text("E2", box) + "," + body_text("E3", R"({"torus":{}})")),
         "bodies[2].shape: unknown shape 'torus'"},
        {one(R"({"cylinder":{"base":[0,0,0],"radius":-1,"height":2}})"),
         "@.shape.cylinder.radius: must be greater than 0, not -1"},
        {one(R"({"box":{"min":[0,0,0],"max":[1,-1,1]}})"), "@.shape.box: \"min\" must be below \"max\" in x, y and z"},
        {one(R"({"box":{"min":[0,0],"max":[1,1,1]}})"), "@.shape.box.min: expected [x, y, z]"},
        {part_text(R"({"name":"E1"})"), "@: missing \"shape\""},
        {one(box, R"(,"colour":3)"), "@: unexpected key \"colour\""},
        {one(R"({"box":{"min":[0,0,0],"max":[1,1,1]},"sphere":{}})"),
         "@.shape: a shape has one kind, found \"box\" and \"sphere\""},
        {one(R"({"brep_file":"nowhere.brep"})"), "@.shape.brep_file: nowhere.brep: cannot open the BREP file "},
        {one(R"({"step_file":"Q:\\x.step"})"), "@.shape.step_file: drive of Q:\\x.step is not mounted"},
        {one(R"({"brep":"hello"})"), "@.shape.brep: not OCCT BREP text"},
        {one(R"({"brep":"\nCASCADE Topology V1, (c) Matra-Datavision\nLocations 0\nCurve2ds 24\n1 0 0"})"),
         "@.shape.brep: the BREP text is incomplete or damaged"},
        {one(R"({"fillet":{"shape":)" + box + R"(,"radius":5}})"), "@.shape.fillet: fillet of radius 5"},
        {one(R"({"fillet":{"shape":)" + box + R"(,"radius":0.1,"edges":[12]}})"),
         "@.shape.fillet.edges[0]: edge 12 asked, the shape has 12"},
        {one(R"({"cut":[)" + box + R"(,{"box":{"min":[-1,-1,-1],"max":[2,2,2]}}]})"),
         "@.shape.cut: the cut leaves nothing"},
        {one(box, R"(,"attributes":[{"title":"A","type":"float","value":1}])"),
         "@.attributes[0].type: unknown attribute type 'float'"},
        {one(box, R"(,"attributes":[{"title":"A","type":"integer","value":1.5}])"),
         "@.attributes[0].value: expected a whole number"},
        {one(box, R"(,"faces":[{"select":{"index":6},"attributes":[]}])"),
         "@.faces[0].select.index: face 6 asked, the body has 6"},
        {one(R"({"sphere":{"center":[0,0,0],"radius":1}})", R"(,"faces":[{"select":{"normal":"+Z"}}])"),
         "@.faces[0].select: no face matches {\"normal\":\"+Z\"}"},
        {one(box, R"(,"faces":[{"select":{"normal":"up"}}])"),
         "@.faces[0].select.normal: expected +X, -X, +Y, -Y, +Z, -Z or [x, y, z]"},
    };
    for (Case &c : cases) {
        if (c.expected[0] == '@') c.expected.replace(0, 1, "bodies[0]");
        c.expected = "D:\\parts\\bad.prt: " + c.expected;
        SCOPED_TRACE(c.expected);
        std::string error = load_error(c.text);
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
        EXPECT_EQ(nxhost::last_load_error(), error);
        EXPECT_TRUE(nxhost::loaded_parts().empty());
        EXPECT_EQ(nxhost::display_part(), NULL_TAG);
    }
}

// Every value of a valid part replaced by a value of each other JSON type: the part loads or
// the error names the file, and nothing is left behind by a failed load.
TEST_F(MalformedTest, AnyValueOfTheWrongTypeGivesAnErrorNeverACrash) {
    const nlohmann::json valid = nlohmann::json::parse(rich_part_text());
    const nlohmann::json replacements[] = {nullptr, -3, 0.5, "text", nlohmann::json::array(), nlohmann::json::object(),
                                           true};
    int loaded = 0, refused = 0;
    const nlohmann::json leaves = valid.flatten();
    for (const auto &leaf : leaves.items()) {
        for (const nlohmann::json &other : replacements) {
            nlohmann::json doc = valid;
            doc[nlohmann::json::json_pointer(leaf.key())] = other;
            SCOPED_TRACE(leaf.key() + " = " + other.dump());
            write_file("parts/typed.prt", doc.dump());
            std::string error;
            tag_t part = nxhost::load_part("D:\\parts\\typed.prt", &error);
            if (part == NULL_TAG) {
                ++refused;
                EXPECT_EQ(error.rfind("D:\\parts\\typed.prt: ", 0), 0u) << error;
                EXPECT_TRUE(nxhost::loaded_parts().empty());
            } else {
                ++loaded;
                nxhost::set_display_part(NULL_TAG);
                EXPECT_EQ(UF_PART_close(part, 0, 1), 0);
            }
        }
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(loaded, 0);
}

TEST_F(MalformedTest, UfPartOpenReturnsTheCodeAndNamesTheFileInTheLoadStatus) {
    write_file("parts/bad.prt", "{");
    struct Case { const char *name; int code; const char *error; } cases[] = {
        {"D:\\parts\\bad.prt", 1105013, "D:\\parts\\bad.prt: not valid JSON"},
        {"D:\\parts\\none.prt", 1105012, "D:\\parts\\none.prt: cannot open the part file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tag_t part = 99;
        UF_PART_load_status_t status;
        EXPECT_EQ(UF_PART_open(c.name, &part, &status), c.code);
        EXPECT_EQ(nxhost::last_load_error().rfind(c.error, 0), 0u) << nxhost::last_load_error();
        EXPECT_EQ(part, NULL_TAG);
        EXPECT_TRUE(status.failed);
        ASSERT_EQ(status.n_parts, 1);
        EXPECT_STREQ(status.file_names[0], c.name);
        EXPECT_EQ(status.statuses[0], c.code);
        EXPECT_EQ(UF_PART_free_load_status(&status), 0);
        EXPECT_EQ(status.file_names, nullptr);
    }
}

}  // namespace
