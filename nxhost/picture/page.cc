// The picture page put together, and written.
#include "nxhost/picture/page.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <nlohmann/json.hpp>

namespace nxhost::picture {
namespace {

// Text for an HTML element's content.
std::string escaped(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// JSON inside a <script> element: no "</" may close it early ("<\/" means the same in JSON).
std::string script_safe(const std::string &json_text) {
    std::string out;
    out.reserve(json_text.size());
    for (std::size_t i = 0; i < json_text.size(); ++i) {
        out += json_text[i];
        if (json_text[i] == '<' && i + 1 < json_text.size() && json_text[i + 1] == '/') out += '\\';
    }
    return out;
}

}  // namespace

std::string html_page(const Scene &scene) {
    const std::string data = scene_json(scene).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    const std::string title = "Part " + scene.part_name;
    std::string page;
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>" + escaped(title) + "</title>\n<style>\n";
    page += page_style();
    page += "</style>\n<script>\n";
    page += page_error_trap();
    page += "</script>\n</head>\n<body>\n";
    page += "<header><h1>" + escaped(title) + "</h1><span id=\"summary\"></span></header>\n";
    if (!scene.has_cam)
        page += "<p class=\"note\" id=\"no-cam\">no CAM setup: the part holds no CAM objects, only its bodies are shown</p>\n";
    page += "<main><div id=\"views\"></div><aside><h2>Legend</h2><ul id=\"legend\"></ul>"
            "<h2>Operations</h2><p class=\"hint\">Pick an operation to show its cut area and bottom level.</p>"
            "<ol id=\"operations\"></ol></aside></main>\n";
    page += "<pre id=\"script-errors\" hidden></pre>\n";
    page += "<script type=\"application/json\" id=\"scene-data\">" + script_safe(data) + "</script>\n<script>\n";
    page += page_script();
    page += "</script>\n</body>\n</html>\n";
    return page;
}

bool write_text_file(const std::string &host_path, const std::string &text, std::string *error) {
    const std::string temporary = host_path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            *error = "cannot write " + host_path + ": " + std::strerror(errno);
            return false;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            *error = "cannot write " + host_path + ": " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), host_path.c_str()) != 0) {
        *error = "cannot write " + host_path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace nxhost::picture
