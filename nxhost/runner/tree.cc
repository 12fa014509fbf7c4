// nxhost tree: load a part and print its objects.
#include <iostream>

#include "nxhost/cam/cam_file.h"
#include "nxhost/parts/parts.h"
#include "nxhost/runner/commands.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"

namespace nxhost::runner {

int print_tree(const TreeOptions &options) {
    std::vector<cam::View> views;
    for (const std::string &view : options.views) {
        if (view == "all") views = {cam::kProgramView, cam::kMachineView, cam::kGeometryView, cam::kMethodView};
        else if (view == "program") views.push_back(cam::kProgramView);
        else if (view == "machine") views.push_back(cam::kMachineView);
        else if (view == "geometry") views.push_back(cam::kGeometryView);
        else views.push_back(cam::kMethodView);
    }
    if (!views.empty()) cam::set_printed_views(views);
    tag_t part = mount_and_load_part(options.drives, options.mounts, options.part);
    if (part == NULL_TAG) return kExitInput;
    print_part_tree(std::cout, part);
    std::cout.flush();
    return kExitOk;
}

}  // namespace nxhost::runner
