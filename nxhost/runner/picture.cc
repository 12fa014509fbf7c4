// nxhost picture: load a part and write the page that draws it.
#include <cstdio>
#include <stdexcept>

#include "nxhost/picture/page.h"
#include "nxhost/picture/scene.h"
#include "nxhost/runner/commands.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"

namespace nxhost::runner {

int write_picture(const PictureOptions &options) {
    tag_t part = mount_and_load_part(options.drives, options.mounts, options.part);
    if (part == NULL_TAG) return kExitInput;
    picture::Scene scene;
    try {
        scene = picture::collect_scene(part);
    } catch (const std::runtime_error &e) {
        std::fprintf(stderr, "nxhost: %s: cannot draw: %s\n", options.part.c_str(), e.what());
        return kExitInput;
    }
    std::string error;
    if (!picture::write_text_file(options.html, picture::html_page(scene), &error)) {
        std::fprintf(stderr, "nxhost: %s\n", error.c_str());
        return kExitSave;
    }
    if (scene.unmeshed_faces > 0)
        std::fprintf(stderr, "nxhost: %s: %d faces could not be tessellated and are missing from the page\n",
                     options.part.c_str(), scene.unmeshed_faces);
    if (!scene.has_cam) std::fprintf(stderr, "nxhost: %s: no CAM setup, the page shows the bodies only\n", options.part.c_str());
    return kExitOk;
}

}  // namespace nxhost::runner
