// The commands of nxhost; each returns the process exit code (exit_codes.h).
#pragma once

#include "nxhost/runner/options.h"

namespace nxhost::runner {

// nxhost run: one session of the add-on played from a scenario script.
int run_session(const RunOptions &options);

// nxhost tree: the objects of a part on stdout.
int print_tree(const TreeOptions &options);

// nxhost picture: an HTML page drawing a part and its CAM setup.
int write_picture(const PictureOptions &options);

// nxhost worker: the background computer on a task directory.
int run_worker(const WorkerOptions &options);

// nxhost check-config: the findings in a configuration folder on stdout.
int check_config(const CheckConfigOptions &options);
// nxhost faults: the scenario replayed failing each NX call of the add-on in turn.
int run_faults(const FaultsOptions &options);

}  // namespace nxhost::runner
