// A stand-in session with a small part of named boxes as the displayed part.
#pragma once

#include <string>

#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"

class PartTest : public testsupport::StandinTest {
protected:
    // Loads a part whose bodies are unit boxes named as given (one body per name, side by side).
    tag_t load_boxes(std::initializer_list<const char *> names) {
        std::string bodies;
        double x = 0;
        for (const char *name : names) {
            if (!bodies.empty()) bodies += ",";
            bodies += std::string("{\"name\":\"") + name + "\",\"shape\":{\"box\":{\"min\":[" + std::to_string(x) +
                      ",0,0],\"max\":[" + std::to_string(x + 1) + ",1,1]}}}";
            x += 2;
        }
        write_file("parts/boxes.prt", "{\"format\":\"nxhost-part/1\",\"units\":\"mm\",\"bodies\":[" + bodies + "]}");
        std::string error;
        tag_t part = nxhost::load_part("D:\\parts\\boxes.prt", &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        return part;
    }

    tag_t body(const char *name) {
        for (tag_t t : nxhost::store().in_part(nxhost::display_part(), 70)) {
            const nxhost::Object *obj = nxhost::store().find(t);
            if (obj->subtype == 0 && obj->name == name) return t;
        }
        ADD_FAILURE() << "no body " << name;
        return NULL_TAG;
    }
};
