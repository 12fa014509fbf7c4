#include "my_func_cam/sel_more_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "sys/sys_process.h"

sel_more_file_result MY_read_sel_more_file(const char *path, std::vector<std::string> *paths) {
    paths->clear();
    std::FILE *file = sys_fopen(path, "rb");
    if (!file) return SEL_MORE_FILE_MISSING;
    std::int32_t count = 0;
    bool whole = std::fread(&count, sizeof count, 1, file) == 1 && count >= 0 && count <= MY_SEL_MORE_FILE_MAX;
    char record[MY_SEL_MORE_FILE_RECORD];
    for (std::int32_t i = 0; whole && i < count; ++i) {
        if (std::fread(record, sizeof record, 1, file) != 1) whole = false;
        else paths->emplace_back(record, strnlen(record, sizeof record - 1));
    }
    std::fclose(file);
    if (whole) return SEL_MORE_FILE_READ;
    paths->clear();
    return SEL_MORE_FILE_SHORT;
}

int MY_sel_more_files(std::vector<std::string> *paths) {
    paths->clear();
    // A list an earlier picker left behind must not pass for this one's.
    sys_remove(MY_SEL_MORE_FILE_PATH);
    sys_run_command("\"" MY_PICK_FILES_PROGRAM "\"");
    const sel_more_file_result result = MY_read_sel_more_file(MY_SEL_MORE_FILE_PATH, paths);
    if (result == SEL_MORE_FILE_MISSING) return 0;
    sys_remove(MY_SEL_MORE_FILE_PATH);
    if (result == SEL_MORE_FILE_SHORT) {
        show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_sel_more_file_01:");
        return 0;
    }
    return 1;
}
