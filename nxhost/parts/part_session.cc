// The parts of the session: which are loaded, which is displayed and worked on, where saves go.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "nxhost/core/reset.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/part_session.h"
#include "nxhost/parts/parts.h"
#include "sys/sys_path.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;

namespace nxhost {
namespace {

struct PartsState {
    std::vector<tag_t> loaded;
    std::vector<tag_t> shown;  // display parts, most recent last, for when one is closed
    tag_t display = NULL_TAG;
    tag_t work = NULL_TAG;
    std::string save_dir;
    std::string last_error;
};

PartsState &state() {
    static PartsState s;
    return s;
}

const bool registered = register_reset([] { state() = PartsState{}; });

bool is_windows_path(const std::string &p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

std::string lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string leaf_of(const std::string &name) {
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string without_prt(const std::string &name) {
    return lower(name).size() > 4 && lower(name).substr(name.size() - 4) == ".prt" ? name.substr(0, name.size() - 4)
                                                                                   : name;
}

bool same_file(const std::string &a, const std::string &b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

void forget(tag_t part) {
    PartsState &s = state();
    s.loaded.erase(std::remove(s.loaded.begin(), s.loaded.end(), part), s.loaded.end());
    s.shown.erase(std::remove(s.shown.begin(), s.shown.end(), part), s.shown.end());
    if (s.display == part) s.display = s.shown.empty() ? NULL_TAG : s.shown.back();
    if (s.work == part || s.display == NULL_TAG) s.work = s.display;
}

bool write_atomically(const std::string &path, const std::string &bytes, std::string *error) {
    fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.flush();
        if (!out) {
            fs::remove(temp, ec);
            *error = "cannot write " + temp;
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        *error = "cannot replace " + path + " (" + ec.message() + ")";
        return false;
    }
    return true;
}

}  // namespace

PartPayload *part_payload(tag_t part) {
    Object *obj = store().find(part);
    if (!obj || obj->type != UF_part_type || obj->part != obj->tag) return nullptr;
    return dynamic_cast<PartPayload *>(obj->payload.get());
}

std::string host_path_of(const std::string &name) {
    if (!is_windows_path(name)) return name;
    return sys_native_path(name.c_str());
}

tag_t find_loaded_part(const std::string &name) {
    if (name.empty()) return NULL_TAG;
    const std::string host = host_path_of(name);
    const bool bare = name.find_first_of("\\/") == std::string::npos;
    for (tag_t part : loaded_parts()) {
        const std::string shown = store().find(part)->name;
        if (lower(shown) == lower(name)) return part;
        if (bare && lower(without_prt(leaf_of(shown))) == lower(without_prt(name))) return part;
        if (same_file(host, part_payload(part)->host_path)) return part;
    }
    return NULL_TAG;
}

tag_t open_part(const std::string &name, LoadFailure *failure) {
    if (tag_t known = find_loaded_part(name)) return known;
    const std::string host = host_path_of(name);
    if (host.empty()) {
        *failure = {kFileNotFound, name + ": the drive " + name.substr(0, 2) + " is not mounted"};
        return NULL_TAG;
    }
    tag_t part = read_part_file(name, host, failure);
    if (part != NULL_TAG) state().loaded.push_back(part);
    return part;
}

void close_part(tag_t part) {
    forget(part);
    remove_part(part);
}

void report_failure(const char *call, const std::string &message) {
    state().last_error = message;
    std::fprintf(stderr, "nxhost: %s: %s\n", call, message.c_str());
}

tag_t load_part(const std::string &path, std::string *error) {
    LoadFailure failure;
    tag_t part = open_part(path, &failure);
    state().last_error = failure.message;
    if (part == NULL_TAG) {
        if (error) *error = failure.message;
        return NULL_TAG;
    }
    if (state().display == NULL_TAG) set_display_part(part);
    return part;
}

tag_t display_part() { return state().display; }
tag_t work_part() { return state().work; }

void set_display_part(tag_t part) {
    PartsState &s = state();
    if (part != NULL_TAG && !part_payload(part)) return;
    s.display = part;
    s.work = part;
    if (part == NULL_TAG) return;
    s.shown.erase(std::remove(s.shown.begin(), s.shown.end(), part), s.shown.end());
    s.shown.push_back(part);
}

void set_work_part(tag_t part) { state().work = part; }

std::vector<tag_t> loaded_parts() {
    std::vector<tag_t> alive;
    for (tag_t part : state().loaded)
        if (part_payload(part)) alive.push_back(part);
    return alive;
}

std::string part_name(tag_t part) {
    return part_payload(part) ? store().find(part)->name : std::string();
}

std::string part_units(tag_t part) {
    const PartPayload *payload = part_payload(part);
    return payload ? payload->units : std::string();
}

bool save_part_as(tag_t part, const std::string &host_path, std::string *error) {
    std::string ignored;
    std::string &why = error ? *error : ignored;
    if (!part_payload(part)) {
        why = "tag " + std::to_string(part) + " is not a loaded part";
        return false;
    }
    std::string text;
    try {
        text = part_document(part).dump(2) + "\n";
    } catch (const std::exception &e) {
        why = part_name(part) + ": " + e.what();
        return false;
    }
    if (!write_atomically(host_path, text, &why)) return false;
    store().clear_modified(part);
    return true;
}

void set_save_directory(const std::string &host_dir) { state().save_dir = host_dir; }

std::string save_target(tag_t part) {
    const PartPayload *payload = part_payload(part);
    if (!payload) return "";
    if (state().save_dir.empty()) return payload->host_path;
    std::string leaf = leaf_of(store().find(part)->name);
    if (leaf.empty()) leaf = "part.prt";
    return state().save_dir + "/" + leaf;
}

bool saves_in_place() { return state().save_dir.empty(); }

const std::string &last_load_error() { return state().last_error; }

}  // namespace nxhost
