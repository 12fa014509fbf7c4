// The extension library wrappers: release, folder, loading, entry, message.
#include "my_func_nxlib/nxlib.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "my_func/my_func.h"
#include "my_func_nxlib/qz_host_path.h"
#include "sys/sys_library.h"
#include "uf.h"
#include "uf_obj.h"

namespace {

// Built-in texts of code page 936: "\n找不到库文件 NAME.dll, 请与Varnholt联系!" and
// "\n在 NAME.dll 库中找不到 NAME 函数!".
const char kNoLibrary1[] = "\n\xd5\xd2\xb2\xbb\xb5\xbd\xbf\xe2\xce\xc4\xbc\xfe ";
const char kNoLibrary2[] = ".dll, \xc7\xeb\xd3\xeb" "Varnholt\xc1\xaa\xcf\xb5!";
const char kNoEntry1[] = "\n\xd4\xda ";
const char kNoEntry2[] = ".dll \xbf\xe2\xd6\xd0\xd5\xd2\xb2\xbb\xb5\xbd ";
const char kNoEntry3[] = " \xba\xaf\xca\xfd!";

const char *const kEntryNames[] = {"oper_from_template", "group_rename", "fixed_cut_step", "region_start_points"};

struct band {
    double from, to;  // from included, to excluded
    const char *folder;
};

// The folder of the first band holding the release; nullptr when none does.
template <int N>
const char *folder_in(const band (&bands)[N], double release) {
    for (const band &b : bands)
        if (release >= b.from && release < b.to) return b.folder;
    return nullptr;
}

int choose(const char *folder, int otherwise, char out[16]) {
    if (!folder) return otherwise;
    std::snprintf(out, 16, "ug%s", folder);
    return NXLIB_LOAD;
}

double running_release(int from_dot) {
    char *text = nullptr;
    if (UF_CALL(UF_get_release(&text)) != 0 || !text) return 0.0;
    double release = nxlib_release_number(text, from_dot);
    UF_free(text);
    return release;
}

void report(const char *first, const char *library, const char *second, const char *entry, const char *third) {
    char text[512];
    std::snprintf(text, sizeof text, "%s%s%s%s%s", first, library, second, entry ? entry : "", third ? third : "");
    MY_write_listing(text);
}

// The entry of a library of the release folder, loaded; nullptr (reported) when either is missing.
void *load_entry(int entry, const char *folder, sys_library_t *library) {
    const char *name = kEntryNames[entry];
    char root[MAX_FSPEC_BUFSIZE] = "";
    host_root_path(root);
    char path[MAX_FSPEC_BUFSIZE + 64];
    std::snprintf(path, sizeof path, "%s\\qz\\application\\%s\\%s.dll", root, folder, name);
    *library = sys_load_library(path);
    if (!*library) {
        report(kNoLibrary1, name, kNoLibrary2, nullptr, nullptr);
        return nullptr;
    }
    void *address = sys_get_proc_address(*library, name);
    if (!address) {
        report(kNoEntry1, name, kNoEntry2, name, kNoEntry3);
        sys_free_library(*library);
        *library = nullptr;
    }
    return address;
}

// Runs `call` with the entry of the release's library: the wrappers' shared steps. `failed` and
// `done` are the results when the choice loads nothing.
template <class Entry, class R, class Call>
R run_entry(int entry, int choice, const char *folder, R failed, R done, Call call) {
    if (choice == NXLIB_FAIL) return failed;
    if (choice != NXLIB_LOAD) return done;
    sys_library_t library = nullptr;
    void *address = load_entry(entry, folder, &library);
    if (!address) return failed;
    R result = call(reinterpret_cast<Entry>(address));
    sys_free_library(library);
    return result;
}

using oper_from_template_f = tag_t (*)(const char *, const char *, tag_t, tag_t, tag_t);
using group_rename_f = void (*)(tag_t, const char *, int *, int);
using fixed_cut_step_f = int (*)(tag_t, double, double, int);
using region_start_points_f = int (*)(tag_t, int, tag_t *, int);

}  // namespace

double nxlib_release_number(const char *release_text, int from_dot) {
    const char *p = release_text;
    while (p && *p && !std::isdigit(static_cast<unsigned char>(*p)) && !(from_dot && *p == '.')) ++p;
    if (!p || !*p) return 0.0;
    return std::strtod(p, nullptr);
}

int nxlib_folder(int entry, double release, char folder[16]) {
    folder[0] = '\0';
    switch (entry) {
    case NXLIB_OPER_FROM_TEMPLATE: {
        static const band bands[] = {{4, 7, "4"},   {7, 8, "7"},   {8, 8.5, "8"},   {8.5, 9, "8.5"},
                                     {9, 10, "9"}, {10, 11, "10"}, {11, 12, "11"}, {12, 50, "12"}};
        return choose(folder_in(bands, release), NXLIB_FAIL, folder);
    }
    case NXLIB_GROUP_RENAME: {
        if (release < 8) return NXLIB_RENAME_HERE;
        static const band bands[] = {{8, 8.5, "8"}, {8.5, 10, "8.5"}, {10, 11, "10"}, {11, 1847, "11"}};
        if (release >= 1847 && release <= 3000) return choose("1847", NXLIB_FAIL, folder);
        return choose(folder_in(bands, release), NXLIB_FAIL, folder);
    }
    case NXLIB_FIXED_CUT_STEP: {
        if (release < 8.9) return NXLIB_FAIL;
        static const band bands[] = {{9, 10, "9"}, {10, 11, "10"}, {11, 12, "11"}, {12, 50, "12"}};
        return choose(folder_in(bands, release), NXLIB_DONE, folder);
    }
    case NXLIB_REGION_START_POINTS: {
        static const band bands[] = {{7, 8, "7"}, {8, 8.5, "8"}, {8.5, 9, "8.5"}, {9, 10, "9"}, {10, 50, "10"}};
        return choose(folder_in(bands, release), NXLIB_DONE, folder);
    }
    default: return NXLIB_FAIL;
    }
}

tag_t call_oper_from_template(const char *template_file, const char *template_oper, tag_t prog_group, tag_t tool,
                              tag_t geom_group) {
    char folder[16];
    const int choice = nxlib_folder(NXLIB_OPER_FROM_TEMPLATE, running_release(1), folder);
    return run_entry<oper_from_template_f, tag_t>(NXLIB_OPER_FROM_TEMPLATE, choice, folder, NULL_TAG, NULL_TAG,
                                                  [&](oper_from_template_f f) {
                                                      return f(template_file, template_oper, prog_group, tool, geom_group);
                                                  });
}

int call_group_rename(tag_t group, const char *new_name) {
    char folder[16];
    const int choice = nxlib_folder(NXLIB_GROUP_RENAME, running_release(0), folder);
    if (choice == NXLIB_RENAME_HERE) {
        UF_CALL(UF_OBJ_set_name(group, new_name));
        return 1;
    }
    return run_entry<group_rename_f, int>(NXLIB_GROUP_RENAME, choice, folder, 0, 1, [&](group_rename_f f) {
        int result = 0;
        f(group, new_name, &result, NXLIB_KEY);
        return result != 0 ? 1 : 0;
    });
}

int call_fixed_cut_step(tag_t oper, double step, double steep_step) {
    char folder[16];
    const int choice = nxlib_folder(NXLIB_FIXED_CUT_STEP, running_release(0), folder);
    return run_entry<fixed_cut_step_f, int>(NXLIB_FIXED_CUT_STEP, choice, folder, 0, 1,
                                            [&](fixed_cut_step_f f) { return f(oper, step, steep_step, NXLIB_KEY); });
}

int call_region_start_points(tag_t oper, int count, tag_t *points) {
    char folder[16];
    const int choice = nxlib_folder(NXLIB_REGION_START_POINTS, running_release(0), folder);
    return run_entry<region_start_points_f, int>(NXLIB_REGION_START_POINTS, choice, folder, 0, 1,
                                                 [&](region_start_points_f f) { return f(oper, count, points, NXLIB_KEY); });
}
