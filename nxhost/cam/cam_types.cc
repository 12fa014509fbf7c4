// The CAM session, its configuration file and the library parts of its types.
#include "nxhost/cam/cam_types.h"

#include <cstdlib>
#include <fstream>

#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/cam_model.h"
#include "nxhost/core/reset.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/part_session.h"

namespace nxhost::cam {
namespace {

struct SessionState {
    bool initialized = false;
    std::vector<ConfigType> types;
};

SessionState &state() {
    static SessionState s;
    return s;
}

const bool registered = register_reset([] { state() = SessionState{}; });

const char kDefaultConfig[] = "\\MACH\\resource\\configuration\\cam_general.dat";
const char kBaseVariable[] = "${UGII_BASE_DIR}";

std::string variable(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::string type_name_of(const std::string &file) {
    std::size_t slash = file.find_last_of("\\/");
    std::string leaf = slash == std::string::npos ? file : file.substr(slash + 1);
    std::size_t dot = leaf.find_last_of('.');
    return dot == std::string::npos ? leaf : leaf.substr(0, dot);
}

std::string trim(const std::string &s) {
    std::size_t b = s.find_first_not_of(" \t\r\n");
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

std::string expand(std::string text) {
    for (std::size_t at; (at = text.find(kBaseVariable)) != std::string::npos;)
        text.replace(at, sizeof kBaseVariable - 1, variable("UGII_BASE_DIR"));
    return text;
}

std::string configuration_file() {
    std::string file = variable("UGII_CAM_CONFIG");
    if (!file.empty()) return file;
    std::string base = variable("UGII_BASE_DIR");
    return base.empty() ? "" : base + kDefaultConfig;
}

// The types listed by a configuration file; false with *why when it cannot be read.
bool read_configuration(const std::string &file, std::vector<ConfigType> *types, std::string *why) {
    std::ifstream in(host_path_of(file));
    if (!in) {
        *why = file + ": the CAM configuration cannot be opened";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = trim(line);
        if (line.empty() || line[0] == '#') continue;
        const std::string key = "template_part:";
        if (line.compare(0, key.size(), key) != 0) {
            *why = file + ":" + std::to_string(number) + ": expected \"template_part: PATH\", found \"" + line + "\"";
            return false;
        }
        const std::string part = expand(trim(line.substr(key.size())));
        if (part.empty()) {
            *why = file + ":" + std::to_string(number) + ": template_part names no file";
            return false;
        }
        types->push_back({type_name_of(part), part, NULL_TAG});
    }
    return true;
}

ConfigType *type_named(const std::string &name) {
    for (ConfigType &t : state().types)
        if (t.name == name) return &t;
    return nullptr;
}

int load_library(ConfigType *type, std::string *why) {
    if (type->library != NULL_TAG && part_payload(type->library)) return 0;
    const std::string host = host_path_of(type->file);
    if (host.empty()) {
        *why = type->file + ": the drive " + type->file.substr(0, 2) + " is not mounted";
        return kLibraryUnreadable;
    }
    LoadFailure failure;
    tag_t part = read_part_file(type->file, host, &failure);
    if (part == NULL_TAG) {
        *why = failure.message;
        return kLibraryUnreadable;
    }
    if (setup_of_part(part) == NULL_TAG) {
        remove_part(part);
        *why = type->file + ": the library part has no CAM setup";
        return kLibraryUnreadable;
    }
    type->library = part;
    return 0;
}

bool in_class(const CamObject &obj, UF_CAM_opt_stype_cls_t cls) {
    switch (cls) {
    case UF_CAM_OPT_STYPE_CLS_OPER: return obj.kind == Kind::Operation;
    case UF_CAM_OPT_STYPE_CLS_TOOL: return obj.kind == Kind::Cutter;
    case UF_CAM_OPT_STYPE_CLS_PROG: return obj.kind == Kind::Group && obj.view == kProgramView;
    case UF_CAM_OPT_STYPE_CLS_GEOM: return obj.kind == Kind::Group && obj.view == kGeometryView;
    case UF_CAM_OPT_STYPE_CLS_METHOD: return obj.kind == Kind::Group && obj.view == kMethodView;
    default: return false;
    }
}

// The NX type of the objects of a subtype class (-1 for a class that has none).
int class_type(UF_CAM_opt_stype_cls_t cls) {
    switch (cls) {
    case UF_CAM_OPT_STYPE_CLS_OPER: return nx_type_of(Kind::Operation, kProgramView);
    case UF_CAM_OPT_STYPE_CLS_TOOL: return nx_type_of(Kind::Cutter, kMachineView);
    case UF_CAM_OPT_STYPE_CLS_PROG: return nx_type_of(Kind::Group, kProgramView);
    case UF_CAM_OPT_STYPE_CLS_GEOM: return nx_type_of(Kind::Group, kGeometryView);
    case UF_CAM_OPT_STYPE_CLS_METHOD: return nx_type_of(Kind::Group, kMethodView);
    default: return -1;
    }
}

// Copies the members of `from` (a group of the library) that are marked "in setup" under `to`.
void copy_in_setup_members(tag_t from, tag_t to, tag_t part) {
    for (tag_t member : cam_object(from)->members) {
        const CamObject *m = cam_object(member);
        if (!m || !m->in_setup) continue;
        const tag_t made = copy_template(member, part, unused_cam_name(part, name_of(member)));
        place(to, made, NULL_TAG, true);
        if (m->kind != Kind::Operation) copy_in_setup_members(member, made, part);
    }
}

}  // namespace

bool session_initialized() { return state().initialized; }

int start_session(std::string *why) {
    const std::string file = configuration_file();
    if (file.empty()) {
        *why = "no CAM configuration: neither UGII_CAM_CONFIG nor UGII_BASE_DIR is set";
        return kConfigUnreadable;
    }
    std::vector<ConfigType> types;
    if (!read_configuration(file, &types, why)) return kConfigUnreadable;
    // Restarting forgets the types added since, as NX's restart does; their parts go too.
    for (const ConfigType &t : state().types)
        if (t.library != NULL_TAG && part_payload(t.library)) remove_part(t.library);
    state().types = std::move(types);
    state().initialized = true;
    return 0;
}

const std::vector<ConfigType> &config_types() { return state().types; }

int add_type(const std::string &filespec, std::string *why) {
    const std::string name = type_name_of(filespec);
    if (name.empty()) {
        *why = "\"" + filespec + "\" names no part file";
        return kLibraryUnreadable;
    }
    if (type_named(name)) return 0;
    ConfigType type{name, filespec, NULL_TAG};
    if (int rc = load_library(&type, why)) return rc;
    state().types.push_back(type);
    return 0;
}

int library_part(const std::string &type_name, tag_t *part, std::string *why) {
    ConfigType *type = type_named(type_name);
    if (!type) {
        *why = "no CAM configuration type \"" + type_name + "\"";
        return kUnknownType;
    }
    if (int rc = load_library(type, why)) return rc;
    *part = type->library;
    return 0;
}

std::vector<std::string> template_names(tag_t library, UF_CAM_opt_stype_cls_t cls) {
    std::vector<std::string> names;
    const int type = class_type(cls);
    if (type < 0) return names;
    for (tag_t t = store().next_in_part(library, type, NULL_TAG); t != NULL_TAG;
         t = store().next_in_part(library, type, t)) {
        const CamObject *obj = cam_object(t);
        if (obj && obj->is_template && in_class(*obj, cls)) names.push_back(store().find(t)->name);
    }
    return names;
}

int find_template(const std::string &type_name, const std::string &name, UF_CAM_opt_stype_cls_t cls, tag_t *found,
                  std::string *why) {
    tag_t library = NULL_TAG;
    if (int rc = library_part(type_name, &library, why)) return rc;
    for (tag_t t = store().next_named(library, name, class_type(cls), NULL_TAG); t != NULL_TAG;
         t = store().next_named(library, name, class_type(cls), t)) {
        const CamObject *obj = cam_object(t);
        if (obj && obj->is_template && in_class(*obj, cls)) {
            *found = t;
            return 0;
        }
    }
    *why = "the CAM configuration type \"" + type_name + "\" has no template \"" + name + "\" of that class";
    return kUnknownTemplate;
}

int copy_type_setup(const std::string &type_name, tag_t part, tag_t *setup, std::string *why) {
    tag_t library = NULL_TAG;
    if (int rc = library_part(type_name, &library, why)) return rc;
    const CamObject *from = cam_object(setup_of_part(library));
    *setup = create_setup(part, type_name);
    for (int v = 0; v < kViewCount; ++v) {
        copy_in_setup_members(from->roots[v], cam_object(*setup)->roots[v], part);
        copy_in_setup_members(from->nulls[v], cam_object(*setup)->nulls[v], part);
    }
    return 0;
}

}  // namespace nxhost::cam
