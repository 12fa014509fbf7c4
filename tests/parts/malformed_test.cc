// A part file that cannot be loaded gives an error naming the file and the place, and no part.
#include "parts_fixture.h"
#include "uf_part.h"

namespace {

class MalformedTest : public PartsTest {};

const char *const kBox = R"({"box":{"min":[0,0,0],"max":[1,1,1]}})";

std::string body(const std::string &shape, const std::string &rest = "") {
    return R"({"name":"E1","shape":)" + shape + rest + "}";
}

TEST_F(MalformedTest, EachFaultIsNamedWithFileAndPlace) {
    struct Case { const char *fault; std::string text; std::string expected; } cases[] = {
        {"bad JSON", R"({"format":"nxhost-part/1",)", "D:\\parts\\bad.prt: not valid JSON: "},
        {"not an object", "[1,2]", "D:\\parts\\bad.prt: expected a JSON object, found array"},
        {"no format", R"({"units":"mm"})", "D:\\parts\\bad.prt: format: missing"},
        {"wrong format", R"({"format":"nxhost-part/2"})",
         "D:\\parts\\bad.prt: format: expected \"nxhost-part/1\", found \"nxhost-part/2\""},
        {"bad units", part_text("", "inch"), "D:\\parts\\bad.prt: units: expected \"mm\" or \"m\", found \"inch\""},
        {"bodies not a list", R"({"format":"nxhost-part/1","bodies":{}})",
         "D:\\parts\\bad.prt: bodies: expected a list, found object"},
        {"unknown shape", part_text(body(kBox) + "," + body(kBox) + "," + body(R"({"cone":{"radius":1}})")),
         "D:\\parts\\bad.prt: bodies[2].shape: unknown shape 'cone'"},
        {"negative radius", part_text(body(R"({"cylinder":{"base":[0,0,0],"radius":-1,"height":2}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.cylinder.radius: must be greater than 0, not -1"},
        {"radius as text", part_text(body(R"({"sphere":{"center":[0,0,0],"radius":"2"}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.sphere.radius: expected a number, found string"},
        {"inverted box", part_text(body(R"({"box":{"min":[0,0,0],"max":[1,-1,1]}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.box: \"min\" must be below \"max\" in x, y and z"},
        {"short point", part_text(body(R"({"box":{"min":[0,0],"max":[1,1,1]}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.box.min: expected [x, y, z]"},
        {"missing shape", part_text(R"({"name":"E1"})"), "D:\\parts\\bad.prt: bodies[0]: missing \"shape\""},
        {"misspelt key", part_text(body(kBox, R"(,"colour":3)")),
         "D:\\parts\\bad.prt: bodies[0]: unexpected key \"colour\""},
        {"two kinds", part_text(body(R"({"box":{"min":[0,0,0],"max":[1,1,1]},"sphere":{}})")),
         "D:\\parts\\bad.prt: bodies[0].shape: a shape has one kind, found \"box\" and \"sphere\""},
        {"missing brep file", part_text(body(R"({"brep_file":"nowhere.brep"})")),
         "D:\\parts\\bad.prt: bodies[0].shape.brep_file: nowhere.brep: cannot open the BREP file "},
        {"unmounted drive", part_text(body(R"({"step_file":"Q:\\x.step"})")),
         "D:\\parts\\bad.prt: bodies[0].shape.step_file: drive of Q:\\x.step is not mounted"},
        {"brep text that is not BREP", part_text(body(R"({"brep":"hello"})")),
         "D:\\parts\\bad.prt: bodies[0].shape.brep: not OCCT BREP text"},
        {"truncated brep text", part_text(body(R"({"brep":"\nCASCADE Topology V1, (c) Matra-Datavision\nLocations 0\nCurve2ds 24\n1 0 0"})")),
         "D:\\parts\\bad.prt: bodies[0].shape.brep: the BREP text is incomplete or damaged"},
        {"fillet too large", part_text(body(R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[1,1,1]}},"radius":5}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.fillet: fillet of radius 5"},
        {"fillet edge out of range",
         part_text(body(R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[1,1,1]}},"radius":0.1,"edges":[12]}})")),
         "D:\\parts\\bad.prt: bodies[0].shape.fillet.edges[0]: edge 12 asked, the shape has 12"},
        {"cut removing everything", part_text(body(R"({"cut":[{"box":{"min":[0,0,0],"max":[1,1,1]}},{"box":{"min":[-1,-1,-1],"max":[2,2,2]}}]})")),
         "D:\\parts\\bad.prt: bodies[0].shape.cut: the cut leaves nothing"},
        {"unknown attribute type", part_text(body(kBox, R"(,"attributes":[{"title":"A","type":"float","value":1}])")),
         "D:\\parts\\bad.prt: bodies[0].attributes[0].type: unknown attribute type 'float'"},
        {"integer attribute with a fraction", part_text(body(kBox, R"(,"attributes":[{"title":"A","type":"integer","value":1.5}])")),
         "D:\\parts\\bad.prt: bodies[0].attributes[0].value: expected a whole number"},
        {"face index out of range", part_text(body(kBox, R"(,"faces":[{"select":{"index":6},"attributes":[]}])")),
         "D:\\parts\\bad.prt: bodies[0].faces[0].select.index: face 6 asked, the body has 6"},
        {"selector matching nothing",
         part_text(body(R"({"sphere":{"center":[0,0,0],"radius":1}})", R"(,"faces":[{"select":{"normal":"+Z"}}])")),
         "D:\\parts\\bad.prt: bodies[0].faces[0].select: no face matches {\"normal\":\"+Z\"}"},
        {"bad normal", part_text(body(kBox, R"(,"faces":[{"select":{"normal":"up"}}])")),
         "D:\\parts\\bad.prt: bodies[0].faces[0].select.normal: expected +X, -X, +Y, -Y, +Z, -Z or [x, y, z]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault);
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
    const nlohmann::json valid = nlohmann::json::parse(part_text(
        R"({"name":"E1","layer":2,"blank":false,"color":3,
            "attributes":[{"title":"A","type":"real","value":0.5}],
            "shape":{"cut":[{"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},"radius":1,"edges":[0,1]}},
                            {"cylinder":{"base":[5,5,-1],"axis":[0,0,1],"radius":2,"height":7}}]},
            "faces":[{"select":{"normal":"+Z","pick":"highest"},"attributes":[{"title":"F","type":"integer","value":1}]},
                     {"select":{"index":0},"name":"N"}]},
           {"name":"S","shape":{"union":[{"sphere":{"center":[30,0,0],"radius":2}},{"box":{"min":[29,-1,0],"max":[31,1,3]}}]}})",
        "mm", R"("attributes":[{"title":"P","type":"string","value":"x"}])"));
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

TEST_F(MalformedTest, AMissingPartFileIsReported) {
    std::string error;
    EXPECT_EQ(nxhost::load_part("D:\\parts\\none.prt", &error), NULL_TAG);
    EXPECT_EQ(error.rfind("D:\\parts\\none.prt: cannot open the part file", 0), 0u) << error;
}

TEST_F(MalformedTest, UfPartOpenReturnsTheCodeAndNamesTheFileInTheLoadStatus) {
    write_file("parts/bad.prt", "{");
    struct Case { const char *name; int code; } cases[] = {{"D:\\parts\\bad.prt", 1105013}, {"D:\\parts\\none.prt", 1105012}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tag_t part = 99;
        UF_PART_load_status_t status;
        EXPECT_EQ(UF_PART_open(c.name, &part, &status), c.code);
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
