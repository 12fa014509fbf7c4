// Parts written as files on drive D and loaded through the parts module.
#pragma once

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf_object_types.h"

class PartsTest : public testsupport::StandinTest {
protected:
    static constexpr const char *kUnitBox = R"({"box":{"min":[0,0,0],"max":[1,1,1]}})";

    // A part document with these bodies (JSON text of the list's items) and extra top-level keys.
    static std::string part_text(const std::string &bodies, const std::string &units = "mm",
                                 const std::string &extra = "") {
        return "{\"format\":\"nxhost-part/1\",\"units\":\"" + units + "\",\"bodies\":[" + bodies + "]" +
               (extra.empty() ? "" : "," + extra) + "}";
    }

    // One body of a part document: its name, its shape and further keys (",\"layer\":2").
    static std::string body_text(const std::string &name, const std::string &shape, const std::string &rest = "") {
        return "{\"name\":\"" + name + "\",\"shape\":" + shape + rest + "}";
    }

    // A part using every feature of the format: body keys, attributes, built shapes, face picks.
    static std::string rich_part_text() {
        return part_text(R"({"name":"E1","layer":2,"blank":true,"color":3,
            "attributes":[{"title":"A","type":"real","value":0.5}],
            "shape":{"cut":[{"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},"radius":1,"edges":[0,1]}},
                            {"cylinder":{"base":[5,5,-1],"axis":[0,0,1],"radius":2,"height":7}}]},
            "faces":[{"select":{"normal":"+Z","pick":"highest"},"attributes":[{"title":"F","type":"integer","value":1}]},
                     {"select":{"index":0},"name":"N"}]},
           {"name":"S","shape":{"union":[{"sphere":{"center":[30,0,0],"radius":2}},{"box":{"min":[29,-1,0],"max":[31,1,3]}}]}})",
        "mm", R"("attributes":[{"title":"P","type":"string","value":"x"}])");
    }

    // Writes D:\parts\<file> and loads it; NULL_TAG and a test failure when it does not load.
    tag_t load(const std::string &text, const std::string &file = "a.prt") {
        write_file("parts/" + file, text);
        std::string error;
        tag_t part = nxhost::load_part("D:\\parts\\" + file, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        return part;
    }

    // The error of loading a part that must not load.
    std::string load_error(const std::string &text, const std::string &file = "bad.prt") {
        write_file("parts/" + file, text);
        std::string error;
        EXPECT_EQ(nxhost::load_part("D:\\parts\\" + file, &error), NULL_TAG) << "loaded: " << text;
        return error;
    }

    // Saves `part` as D:\parts\<file> and loads that file.
    tag_t save_and_reload(tag_t part, const std::string &file) {
        std::string error;
        EXPECT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/" + file, &error)) << error;
        tag_t again = nxhost::load_part("D:\\parts\\" + file, &error);
        EXPECT_NE(again, NULL_TAG) << error;
        return again;
    }

    // `nxhost tree` text of a part.
    static std::string tree(tag_t part) {
        std::ostringstream out;
        nxhost::print_part_tree(out, part);
        return out.str();
    }

    static std::vector<tag_t> bodies(tag_t part) {
        std::vector<tag_t> found;
        for (tag_t t : nxhost::store().in_part(part, UF_solid_type))
            if (nxhost::store().find(t)->subtype == UF_solid_body_subtype) found.push_back(t);
        return found;
    }

    static tag_t body_named(tag_t part, const std::string &name) {
        for (tag_t t : bodies(part))
            if (nxhost::store().find(t)->name == name) return t;
        ADD_FAILURE() << "no body " << name;
        return NULL_TAG;
    }

    static const nxhost::Object &object(tag_t tag) { return *nxhost::store().find(tag); }

    static std::vector<tag_t> faces(tag_t body) { return nxhost::store().children(body, UF_solid_face_subtype); }
    static std::vector<tag_t> edges(tag_t body) { return nxhost::store().children(body, UF_solid_edge_subtype); }

    static double volume(tag_t body) {
        return nxhost::modeling::volume(nxhost::modeling::shape_payload(object(body))->shape);
    }

    // Host directory of the shared real solids, "" when this machine has none.
    static std::string solids_dir() {
        const char *env = std::getenv("TORVANE_SHARED_SOLIDS");
        std::string dir = env ? env : testsupport::source_dir() + "/../shared/data/solids";
        return std::ifstream(dir + "/README.md").good() ? dir : "";
    }
};
