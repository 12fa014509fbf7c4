// The CAM session and its configuration types. A type is a library part (a part file with a CAM
// setup) named after its file; its objects marked as templates are the subtypes that the create
// calls copy, and its objects marked "in setup" are what UF_SETUP_create copies.
//
// UF_CAM_init_session reads the configuration file named by the variable UGII_CAM_CONFIG, or
// else MACH\resource\configuration\cam_general.dat below UGII_BASE_DIR (the NX folder). It lists
// the library parts of the session's types, one line each:
//
//     # comment
//     template_part: ${UGII_BASE_DIR}\MACH\resource\template_part\metric\mill_contour.prt
//
// Library parts are read when a type is first used, as a part of their own that is not among the
// session's loaded parts.
#pragma once

#include <string>
#include <vector>

#include "uf_cam.h"
#include "uf_defs.h"

namespace nxhost::cam {

struct ConfigType {
    std::string name;     // the file name without folder and extension
    std::string file;     // as listed (Windows path)
    tag_t library = NULL_TAG;
};

bool session_initialized();
// Starts (or restarts) the session from the configuration; 0 or an error code, *why says what
// is wrong with the configuration.
int start_session(std::string *why);
const std::vector<ConfigType> &config_types();

// Adds a library part as a type (a type of that name already there stays as it is); the part
// is read at once so that a bad file is refused here. 0 or an error code with *why.
int add_type(const std::string &filespec, std::string *why);

// The library part of a type, read on first use. 0 or an error code with *why.
int library_part(const std::string &type_name, tag_t *part, std::string *why);

// The template of a class named `name` offered by a type. 0 or an error code with *why.
int find_template(const std::string &type_name, const std::string &name, UF_CAM_opt_stype_cls_t cls, tag_t *found,
                  std::string *why);

// Names of the templates of a class, in the library part's order.
std::vector<std::string> template_names(tag_t library, UF_CAM_opt_stype_cls_t cls);

// A setup of the type's setup in `part`: roots, NULL groups and every object of the library's
// setup marked "in setup", with its members that are so marked. 0 or an error code with *why.
int copy_type_setup(const std::string &type_name, tag_t part, tag_t *setup, std::string *why);

}  // namespace nxhost::cam
