// nxhost check-config: check a configuration folder and print what is wrong in it.
#include <cstdio>
#include <filesystem>

#include "nxhost/checkconf/checkconf.h"
#include "nxhost/runner/addon.h"
#include "nxhost/runner/commands.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"

namespace nxhost::runner {

namespace fs = std::filesystem;

static_assert(kExitConfigWarnings == checkconf::kExitWarnings && kExitConfigErrors == checkconf::kExitErrors);

namespace {

// The configuration root and the English catalogues: DIR itself with lang-en beside it, or the
// qz_conf and lang-en of a drive root.
checkconf::Places places_of(const CheckConfigOptions &options) {
    checkconf::Places places;
    const fs::path dir = existing_directory(options.dir, "the configuration directory");
    std::error_code ec;
    const bool drive_root = fs::is_directory(dir / "qz_conf", ec);
    places.root = drive_root ? (fs::path(options.dir) / "qz_conf").string() : options.dir;
    if (options.english_given) {
        places.english = existing_directory(options.english, "--lang-en");
    } else {
        const fs::path english = drive_root ? dir / "lang-en" : dir.parent_path() / "lang-en";
        if (fs::is_directory(english, ec))
            places.english = drive_root ? (fs::path(options.dir) / "lang-en").lexically_normal().string()
                                        : english.lexically_normal().string();
    }
    for (const std::string &d : options.dialog_dirs) places.dialog_dirs.push_back(existing_directory(d, "--dialogs"));
    if (places.dialog_dirs.empty()) {
        const fs::path beside = fs::absolute(default_addon_path(), ec).parent_path() / "dialogs";
        if (!ec && fs::is_directory(beside, ec)) places.dialog_dirs.push_back(beside.lexically_normal().string());
    }
    return places;
}

}  // namespace

int check_config(const CheckConfigOptions &options) {
    checkconf::Places places;
    try {
        places = places_of(options);
    } catch (const SetupError &e) {
        std::fprintf(stderr, "nxhost: %s\n", e.what());
        return kExitInput;
    }
    const std::vector<checkconf::Finding> findings = checkconf::check_config(places);
    for (const checkconf::Finding &f : findings) std::printf("%s\n", checkconf::finding_text(f).c_str());
    int errors = 0;
    for (const checkconf::Finding &f : findings) errors += f.severity == checkconf::Severity::Error;
    std::fprintf(stderr, "nxhost: %s: %d error(s), %d warning(s)%s\n", places.root.c_str(), errors,
                 static_cast<int>(findings.size()) - errors,
                 places.english.empty() ? " (no English catalogues found to check)" : "");
    return checkconf::exit_code(findings);
}

}  // namespace nxhost::runner
