// The background hand-off of the displayed part.
#include "torvane/dialogs/post_backstage.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/dialogs/prog_name.h"
#include "torvane/plan/program_order.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_part.h"

namespace {

const std::size_t SHORT_NAME_OFFSET = 4;
const std::size_t NODE_NAME_OFFSET = SHORT_NAME_OFFSET + POST_TASK_TEXT_SIZE;
const std::size_t PART_PATH_OFFSET = NODE_NAME_OFFSET + POST_TASK_TEXT_SIZE;

void put_text(std::string *record, std::size_t offset, const std::string &text) {
    record->replace(offset, std::min(text.size(), std::size_t{POST_TASK_TEXT_SIZE - 1}), text, 0,
                    POST_TASK_TEXT_SIZE - 1);
}

// The network name of this computer; "" when NX cannot say.
std::string node_name(void) {
    UF_system_info_t info{};
    if (UF_CALL(UF_ask_system_info(&info)) != 0) return "";
    const std::string name = info.node_name ? info.node_name : "";
    UF_CALL(UF_free_system_info(&info));
    return name;
}

// A drive's folder (E:\tasks\) or a share's (\\srv\tasks\): the background computer must find
// the part by the same path whatever the current folder of either side.
bool is_full_directory(const std::string &dir) {
    const bool drive = dir.size() >= 3 && std::isalpha(static_cast<unsigned char>(dir[0])) && dir[1] == ':' &&
                       dir[2] == '\\';
    const bool share = dir.size() >= 3 && dir[0] == '\\' && dir[1] == '\\' && dir[2] != '\\';
    return drive || share;
}

// The task directory can take files: a file made there and removed again.
int task_directory_writable(const std::string &task_dir) {
    if (!is_full_directory(task_dir)) return 0;
    const std::string test_path = task_dir + POST_TEST_FILE;
    std::FILE *test = sys_fopen(test_path.c_str(), "w");
    if (!test) return 0;
    std::fclose(test);
    sys_remove(test_path.c_str());
    return 1;
}

// The task record written whole; a record left incomplete is removed, so that the background
// computer never takes it for a task. The message says which step failed.
int write_task_record(const std::string &path, const std::string &record) {
    std::FILE *file = sys_fopen(path.c_str(), "wb");
    if (!file) {
        show_torvane_message("post_backstage_cal_04:");
        return 0;
    }
    const bool written = std::fwrite(record.data(), record.size(), 1, file) == 1;
    if (std::fclose(file) == 0 && written) return 1;
    sys_remove(path.c_str());
    show_torvane_message("post_backstage_cal_05:");
    return 0;
}

// NX's program tree in plan order and, with TOGGLE_39, the programs named, as the dialog's
// closing would have done; then the part saved and closed. 0 when the part stays open.
int save_and_close_part(int dialog_id, tag_t part) {
    sync_program_order();
    if (static_dlg_state.toggle_39) reset_prog_name(dialog_id);
    static_post_started = 1;
    // Closing what could not be saved would lose the work of this session.
    if (UF_CALL(UF_PART_save()) != 0 || UF_CALL(UF_PART_close(part, 0, 1)) != 0) {
        static_post_started = 0;
        return 0;
    }
    return 1;
}

}  // namespace

post_part_names post_names_of(const std::string &part_path) {
    post_part_names names;
    const std::size_t slash = part_path.rfind('\\');
    names.directory = slash == std::string::npos ? "" : part_path.substr(0, slash + 1);
    const std::string file_name = slash == std::string::npos ? part_path : part_path.substr(slash + 1);
    const std::size_t dot = file_name.rfind('.');
    names.short_name = file_name.substr(0, dot);
    names.extension = dot == std::string::npos ? POST_DEFAULT_EXTENSION : file_name.substr(dot);
    names.temp_path = names.directory + names.short_name + "_temp" + names.extension;
    return names;
}

std::string with_trailing_backslash(const std::string &text) {
    return text.empty() || text.back() == '\\' ? text : text + "\\";
}

std::string post_task_record(const std::string &short_name, const std::string &node_name, const std::string &prefix,
                             const std::string &part_path) {
    std::string record(POST_TASK_RECORD_SIZE, '\0');
    const std::int32_t version = POST_TASK_VERSION;
    std::memcpy(&record[0], &version, sizeof version);
    put_text(&record, SHORT_NAME_OFFSET, short_name);
    put_text(&record, NODE_NAME_OFFSET, node_name);
    put_text(&record, PART_PATH_OFFSET, with_trailing_backslash(prefix) + part_path);
    return record;
}

int copy_file(const char *source, const char *target) {
    char line[MAX_FSPEC_BUFSIZE + 32];
    std::FILE *in = sys_fopen(source, "rb");
    if (!in) {
        std::snprintf(line, sizeof line, "have not %s file\n", source);
        MY_write_listing(line);
        return 0;
    }
    std::FILE *out = sys_fopen(target, "wb");
    if (!out) {
        std::fclose(in);
        std::snprintf(line, sizeof line, "open file%s  err\n", target);
        MY_write_listing(line);
        return 0;
    }
    bool written = true;
    for (int c; written && (c = std::getc(in)) != EOF;) written = std::putc(c, out) != EOF;
    const bool read_whole = !std::ferror(in);
    std::fclose(in);
    written = std::fclose(out) == 0 && written;
    if (written && read_whole) return 1;
    sys_remove(target);
    MY_write_listing("putc err\n");
    return 0;
}

int post_backstage_calc(int dialog_id) {
    store_dlg_state(dialog_id);
    const std::string prefix = static_dlg_state.wide_s_58;
    if (prefix.find(' ') != std::string::npos) {
        show_torvane_message("post_backstage_cal_01:");
        return 0;
    }
    if (!static_dlg_state.wide_s_32[0]) {
        show_torvane_message("post_backstage_cal_02:");
        return 0;
    }
    const std::string task_dir = with_trailing_backslash(static_dlg_state.wide_s_32);
    if (!task_directory_writable(task_dir)) {
        show_torvane_message("post_backstage_cal_03:");
        return 0;
    }
    const tag_t part = UF_PART_ask_display_part();
    const std::string part_path = displayed_part_path();
    if (part == NULL_TAG || part_path.empty()) return 0;
    const post_part_names names = post_names_of(part_path);
    const std::string record_path = task_dir + names.short_name + POST_TASK_EXTENSION;
    if (!write_task_record(record_path, post_task_record(names.short_name, node_name(), prefix, part_path)))
        return 0;

    if (!save_and_close_part(dialog_id, part)) {
        sys_remove(record_path.c_str());
        show_torvane_message("post_backstage_cal_07:");
        return 0;
    }
    // From here the part is closed: whatever fails, the dialog closes and the part file or its
    // _temp copy stays whole in the part's own directory.
    const std::string target = task_dir + names.short_name + names.extension;
    if (sys_rename(part_path.c_str(), names.temp_path.c_str()) != 0 ||
        !copy_file(names.temp_path.c_str(), target.c_str())) {
        // Without its part the task must not reach the background computer.
        sys_remove(record_path.c_str());
        show_torvane_message("post_backstage_cal_06:");
        return 1;
    }
    if (!static_dlg_state.toggle_57) sys_remove(names.temp_path.c_str());
    return 1;
}
