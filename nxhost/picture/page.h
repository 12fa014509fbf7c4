// The picture page: one HTML file with the scene as JSON and the script that draws it (three
// orthographic views and a rotatable 3D view on canvases), nothing fetched from anywhere.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

#include "nxhost/picture/scene.h"

namespace nxhost::picture {

// The scene as the page's script reads it; lengths rounded to a thousandth of a part unit.
nlohmann::ordered_json scene_json(const Scene &scene);

// The whole page, UTF-8.
std::string html_page(const Scene &scene);

// The page's style sheet and script, inlined by html_page. The script marks the body with
// data-rendered="ok" once every view is drawn, and writes any script error into the element
// <pre id="script-errors">.
const char *page_style();
const char *page_error_trap();
const char *page_script();

// Writes text to a host file (through a temporary beside it, so that a failed write leaves any
// old file as it was); false and *error ("cannot write /x/y.html: Permission denied") when not.
bool write_text_file(const std::string &host_path, const std::string &text, std::string *error);

}  // namespace nxhost::picture
