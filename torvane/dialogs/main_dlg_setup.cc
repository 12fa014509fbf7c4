// Derived contents of the main dialog.
#include "torvane/dialogs/main_dlg_setup.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

void set_class(class_settings *classes, int kind, int number, double gap) {
    classes->on[kind] = number > 0 ? 1 : 0;
    if (number > 0) classes->value[kind] = gap;
}

std::string file_name_of(const char *path) {
    const char *backslash = std::strrchr(path, '\\');
    return backslash ? backslash + 1 : path;
}

}  // namespace

int classes_from_elec_attr(const elec_attr_data &record, class_settings *classes) {
    if (!record.has_rough_number && !record.has_finish_number && !record.has_spark_numbers) return 0;
    set_class(classes, RMF_ROUGH, record.rough_number, record.rough_space);
    set_class(classes, RMF_MIDDLE, record.middle_number, record.middle_space);
    set_class(classes, RMF_FINISH, record.finish_number, record.finish_space);
    return 1;
}

void classes_from_edm_descr(const edm_descr &descr, class_settings *classes) {
    set_class(classes, RMF_ROUGH, std::atoi(descr.elec_rough_number), std::atof(descr.elec_rough_space));
    set_class(classes, RMF_MIDDLE, std::atoi(descr.elec_middle_number), std::atof(descr.elec_middle_space));
    set_class(classes, RMF_FINISH, std::atoi(descr.elec_finish_number), std::atof(descr.elec_finish_space));
}

int classes_of_electrodes(const tag_t *electrodes, int count, const edm_descr &descr, class_settings *classes) {
    for (int i = 0; i < count; ++i) {
        elec_attr_data record{};
        if (!read_elec_attr_data(electrodes[i], &record)) return 0;
        if (classes_from_elec_attr(record, classes)) return 1;
    }
    classes_from_edm_descr(descr, classes);
    return 1;
}

void classes_in_plan(const r_m_f_or_other *plan, int present[4]) {
    for (int kind = 0; kind < 4; ++kind) present[kind] = 0;
    for (const r_m_f_or_other *r_m_f_or_other_current_p = plan; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        present[rmf_kind_of_class_name(r_m_f_or_other_current_p->name)] = 1;
}

std::vector<std::string> tool_libref_menu_entries(const char names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE],
                                                  const std::string &not_set, const std::string &no_library) {
    std::vector<std::string> entries;
    for (int n = 0; n < TOOL_LIBREF_COUNT; ++n)
        if (not_set != names[n]) entries.emplace_back(names[n]);
    entries.push_back(no_library);
    return entries;
}

int tool_libref_number(const char names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE], const std::string &entry) {
    for (int n = 0; n < TOOL_LIBREF_COUNT; ++n)
        if (entry == names[n]) return n + 1;
    return 0;
}

std::vector<std::string> tool_menu_entries(const tool_data *list, double diameter) {
    std::vector<const tool_data *> cutters;
    for (const tool_data *tool_data_current_p = list; tool_data_current_p; tool_data_current_p = tool_data_current_p->next_p)
        if (diameter <= 0.0 || tool_data_current_p->tool_dia == diameter) cutters.push_back(tool_data_current_p);
    std::stable_sort(cutters.begin(), cutters.end(),
                     [](const tool_data *a, const tool_data *b) { return a->tool_dia < b->tool_dia; });
    if (cutters.size() > TOOL_MENU_MAX) cutters.resize(TOOL_MENU_MAX);
    std::vector<std::string> entries;
    for (const tool_data *cutter : cutters)
        entries.push_back(cutter->tool_descr[0] ? std::string(cutter->tool_name) + "  (" + cutter->tool_descr + ")"
                                                : std::string(cutter->tool_name));
    entries.emplace_back("NONE");
    return entries;
}

std::string default_start_prog_name(const char *part_path) {
    std::vector<char> name(std::strlen(part_path) + 1);
    MY_divide_part_name(part_path, name.data());
    return std::string(name.data()) + "_01";
}

std::string shown_part_path(int radio_60, const char *stored, const char *part_path) {
    if (radio_60 == 0) return part_path;
    const char *backslash = std::strrchr(stored, '\\');
    if (!backslash) return stored;
    return std::string(stored, backslash + 1) + file_name_of(part_path);
}

std::string directory_of(const char *path) {
    const char *backslash = std::strrchr(path, '\\');
    return backslash ? std::string(path, backslash) : std::string(path);
}

std::string part_path_in_directory(const std::string &directory, const char *part_path) {
    std::string path = directory;
    if (path.empty() || path.back() != '\\') path += '\\';
    std::vector<char> name(std::strlen(part_path) + 1);
    MY_divide_part_name(part_path, name.data());
    return path + name.data() + ".prt";
}

std::string part_file_line(const part_file &file, const std::string status_texts[2]) {
    return status_texts[file.status == 1 ? 1 : 0] + "    " + file.file_name;
}
