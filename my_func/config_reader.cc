// Keyed definition files: a key is a token ending in a colon, its value the next token.
// Tokens are separated by line feeds, blanks and commas only; there is no comment syntax.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "uf_ui.h"

namespace {

bool is_delimiter(int c) { return c == '\n' || c == ' ' || c == ','; }

bool lookup_all(std::initializer_list<const char *> tags, std::string texts[]) {
    return lookup_messages(MY_FUNC_LANG_FORMAT, tags, texts) != 0;
}

// Shows catalogue texts and names joined by single blanks; the parts alternate as given.
void show_joined(std::initializer_list<std::string> parts) {
    std::string message;
    for (const std::string &part : parts) {
        if (!message.empty()) message += ' ';
        message += part;
    }
    uc1601(message.c_str(), 1);
}

using file_ptr = std::unique_ptr<FILE, int (*)(FILE *)>;

file_ptr open_text(const char *path) { return file_ptr(path ? sys_fopen(path, "r") : nullptr, std::fclose); }

}  // namespace

int MY_find_config_key(FILE *fp, const char *key, int max_token) {
    const std::string wanted = key ? key : "";
    const size_t limit = max_token > 0 ? static_cast<size_t>(max_token) : 0;
    if (wanted.empty()) return 0;  // every delimiter would match an empty key
    std::string token;
    for (int c = std::fgetc(fp); c != EOF; c = std::fgetc(fp)) {
        if (is_delimiter(c))
            token.clear();
        else if (token.size() >= limit)
            token.clear();  // an over-long run restarts and loses this character
        else
            token.push_back(static_cast<char>(c));
        if (token.size() == wanted.size() && token == wanted) return 1;
    }
    return 0;
}

int MY_scan_config_value(FILE *fp, char *value, int max_token, int eof_marker) {
    const size_t limit = max_token > 0 ? static_cast<size_t>(max_token) : 1;
    std::string token;
    for (int c = std::fgetc(fp);; c = std::fgetc(fp)) {
        if (c == EOF) return 0;  // even a started value must be closed by a delimiter
        if (is_delimiter(c)) {
            if (token.empty()) continue;
            break;
        }
        token.push_back(static_cast<char>(c));
        if (eof_marker && token == "EOF") return 2;
        if (token.size() >= limit) break;
    }
    std::memcpy(value, token.c_str(), token.size() + 1);
    return 1;
}

int read_config_value(const char *key, double *value, const char *path) {
    const std::string key_text = key ? key : "";
    const std::string path_text = path ? path : "";
    std::string t[4];
    file_ptr fp = open_text(path);
    if (!fp) {
        if (lookup_all({"read_config_value_01:", "read_config_value_02:"}, t)) show_joined({t[0], path_text, t[1]});
        return 0;
    }
    if (!MY_find_config_key(fp.get(), key_text.c_str(), MY_CONFIG_TOKEN_MAX)) {
        fp.reset();
        if (lookup_all(
                {"read_config_value_03:", "read_config_value_04:", "read_config_value_05:", "read_config_value_06:"},
                t))
            show_joined({t[0], path_text, t[1], key_text, t[2], key_text, t[3]});
        return 0;
    }
    char token[MY_CONFIG_TOKEN_MAX + 1];
    int scanned = MY_scan_config_value(fp.get(), token, MY_CONFIG_TOKEN_MAX, 1);
    fp.reset();
    if (scanned == 0) {
        if (lookup_all({"read_config_value_07:", "read_config_value_08:", "read_config_value_09:"}, t))
            show_joined({t[0], path_text, t[1], key_text, t[2]});
        return 0;
    }
    if (scanned == 1 && value) *value = std::atof(token);
    return 1;
}

int read_config_value_char(const char *key, char value[MY_CONFIG_VALUE_BUFSIZE], const char *path) {
    const std::string key_text = key ? key : "";
    const std::string path_text = path ? path : "";
    std::string t[4];
    file_ptr fp = open_text(path);
    if (!fp) {
        if (lookup_all({"read_config_value_char_01:", "read_config_value_char_02:"}, t))
            show_joined({t[0], path_text, t[1]});
        return 0;
    }
    if (!MY_find_config_key(fp.get(), key_text.c_str(), MY_CONFIG_TOKEN_MAX)) {
        fp.reset();
        if (lookup_all({"read_config_value_char_03:", "read_config_value_char_04:", "read_config_value_char_05:"}, t))
            show_joined({t[0], path_text, t[1], key_text, t[2]});
        return 0;
    }
    char token[MY_CONFIG_TOKEN_MAX + 1];
    int scanned = MY_scan_config_value(fp.get(), token, MY_CONFIG_TOKEN_MAX, 0);
    fp.reset();
    if (scanned == 0) {
        if (lookup_all({"read_config_value_char_06:", "read_config_value_char_07:", "read_config_value_char_08:",
                        "read_config_value_char_09:"},
                       t))
            show_joined({t[0], path_text, t[1], key_text, t[2], key_text, t[3]});
        return 0;
    }
    if (value) std::strcpy(value, token);
    return 1;
}
