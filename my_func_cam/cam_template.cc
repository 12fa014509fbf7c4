// The CAM template set file, completed from the template directory, and the insert definition
// files. Both are line files: a line holding '#', shorter than 5 characters with its newline, or
// made of blanks only is skipped; blanks are removed from every field of the others.
#include "my_func_cam/cam_template.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "uf_cfi.h"
#include "uf_defs.h"
#include "uf_ui.h"

namespace {

const size_t LINE_LIMIT = 2499;
const size_t SHORT_LINE = 5;  // lines shorter than this, newline counted, are skipped
const int DIR_NAMES_WITH_WILDCARD = (1 << 13) | (1 << 11);
const int PART_FILE_TYPE = 2;

using file_ptr = std::unique_ptr<FILE, int (*)(FILE *)>;

// One physical line with its newline, at most LINE_LIMIT characters; the rest of a longer line
// is dropped, so that it never reads as a line of its own. false at end of file.
bool read_line(FILE *fp, std::string *line) {
    line->clear();
    int c = std::fgetc(fp);
    if (c == EOF) return false;
    for (; c != EOF; c = std::fgetc(fp)) {
        if (line->size() < LINE_LIMIT) line->push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return true;
}

bool is_skipped(const std::string &line) {
    if (line.size() < SHORT_LINE || line.find('#') != std::string::npos) return true;
    return line.find_first_not_of(" \n") == std::string::npos;
}

// Splits a line without its newline at separator into at most count fields, blanks removed;
// the last field runs to the line end or to a further separator, whatever follows is ignored.
void split_fields(const std::string &line, char separator, std::string fields[], int count) {
    int index = 0;
    for (char c : line) {
        if (c == '\n') break;
        if (c == separator) {
            if (++index == count) break;
        } else if (c != ' ') {
            fields[index].push_back(c);
        }
    }
}

// Shows "text01: “path”, text02" from the my_func_cam catalogue; nothing more when a lookup
// fails (the lookup has shown why).
void show_cannot_open(const char *tag01, const char *tag02, const char *path) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, MY_FUNC_CAM_LANG_FORMAT);
    char text01[MY_MESSAGE_BUFSIZE], text02[MY_MESSAGE_BUFSIZE];
    if (!lookup_message(tag01, text01, lang_path) || !lookup_message(tag02, text02, lang_path)) return;
    std::string message(std::strlen(text01) + std::strlen(path) + std::strlen(text02) + 16, '\0');
    format_text(&message[0], "%s: \xA1\xB0%s\xA1\xB1, %s", text01, path, text02);
    uc1601(message.c_str(), 1);
}

// Appends a record after *tail_p, the last record of *list_p or NULL for an empty list.
template <typename Record>
void append(Record **list_p, Record **tail_p, Record *record) {
    if (*tail_p)
        (*tail_p)->next_p = record;
    else
        *list_p = record;
    *tail_p = record;
}

// Appends a record with only template_file for every part file of dir that no record names.
// The scan is NX's, so the entries come in the order NX gives them.
void add_directory_parts(cam_template **list_p, cam_template **tail_p, const char *dir) {
    if (uc4508(dir, DIR_NAMES_WITH_WILDCARD, PART_FILE_TYPE, "*.prt") < 0) return;  // unreadable: nothing to add
    while (uc4518() == 0) {
        char spec[MAX_FSPEC_BUFSIZE];
        char name[UF_CFI_MAX_FILE_NAME_BUFSIZE + 4];
        if (UF_CALL(uc4519(spec)) != 0 || UF_CALL(uc4574(spec, PART_FILE_TYPE, name)) != 0) continue;
        std::strcat(name, ".prt");
        if (std::strlen(name) >= CAM_TEMPLATE_FIELD_BUFSIZE) continue;  // could not be named in a record
        if (find_cam_template(*list_p, name)) continue;
        cam_template *record = new (std::nothrow) cam_template;
        if (!record) break;  // out of memory: the list keeps the parts found so far
        std::strcpy(record->template_file, name);
        append(list_p, tail_p, record);
    }
    uc4548();
}

}  // namespace

int MY_read_qz_cam_template_def(cam_template **list_p, const char *template_dir, const char *set_path) {
    if (!list_p) return 0;
    free_cam_template_list(list_p);
    file_ptr fp(set_path ? sys_fopen(set_path, "r") : nullptr, std::fclose);
    if (!fp) {
        show_cannot_open("MY_read_qz_cam_template_de_01:", "MY_read_qz_cam_template_de_02:", set_path ? set_path : "");
        return 0;
    }
    cam_template *tail_p = nullptr;
    bool out_of_memory = false;
    for (std::string line; read_line(fp.get(), &line);) {
        if (is_skipped(line)) continue;
        cam_template *record = new (std::nothrow) cam_template;
        if (!record) {
            out_of_memory = true;  // the list keeps the lines read so far; the directory adds nothing
            break;
        }
        std::string fields[4];
        split_fields(line, ';', fields, 4);
        MY_copy_cut(record->label, sizeof record->label, fields[0].c_str());
        MY_copy_cut(record->template_file, sizeof record->template_file, fields[1].c_str());
        MY_copy_cut(record->bitmap_file, sizeof record->bitmap_file, fields[2].c_str());
        MY_copy_cut(record->description, sizeof record->description, fields[3].c_str());
        append(list_p, &tail_p, record);
    }
    fp.reset();
    if (!out_of_memory && template_dir) add_directory_parts(list_p, &tail_p, template_dir);
    return 1;
}

int MY_read_qz_cam_insert(insert_def **list_p, const char *path) {
    if (!list_p) return 0;
    free_insert_def_list(list_p);
    file_ptr fp(path ? sys_fopen(path, "r") : nullptr, std::fclose);
    if (!fp) {
        show_cannot_open("MY_read_qz_cam_insert_01:", "MY_read_qz_cam_insert_02:", path ? path : "");
        return 0;
    }
    insert_def *tail_p = nullptr;
    for (std::string line; read_line(fp.get(), &line);) {
        if (is_skipped(line)) continue;
        insert_def *record = new (std::nothrow) insert_def;
        if (!record) break;  // out of memory: the list keeps the lines read so far
        std::string fields[2];
        split_fields(line, '=', fields, 2);
        MY_copy_cut(record->name, sizeof record->name, fields[0].c_str());
        MY_copy_cut(record->descr, sizeof record->descr, fields[1].c_str());
        append(list_p, &tail_p, record);
    }
    return 1;
}

void free_cam_template_list(cam_template **list_p) { MY_free_list(list_p); }

void free_insert_def_list(insert_def **list_p) { MY_free_list(list_p); }

cam_template *find_cam_template(cam_template *list, const char *template_file) {
    if (!template_file) return nullptr;
    for (cam_template *record = list; record; record = record->next_p)
        if (MY_same_name_nocase(record->template_file, template_file)) return record;
    return nullptr;
}

insert_def *find_insert_def(insert_def *list, const char *name) {
    if (!name) return nullptr;
    for (insert_def *record = list; record; record = record->next_p)
        if (MY_same_name_nocase(record->name, name)) return record;
    return nullptr;
}
