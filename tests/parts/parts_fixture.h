// Parts written as files on drive D and loaded through the parts module.
#pragma once

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf_object_types.h"

class PartsTest : public testsupport::StandinTest {
protected:
    // A part document with these bodies (JSON text of the list's items) and extra top-level keys.
    static std::string part_text(const std::string &bodies, const std::string &units = "mm",
                                 const std::string &extra = "") {
        return "{\"format\":\"nxhost-part/1\",\"units\":\"" + units + "\",\"bodies\":[" + bodies + "]" +
               (extra.empty() ? "" : "," + extra) + "}";
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
