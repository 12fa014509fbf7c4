#include "nxhost/worker/task_record.h"

#include <cstdint>

namespace nxhost::worker {
namespace {

constexpr std::size_t kTextSize = 256;
struct Field {
    std::size_t offset;
    const char *what;
};
constexpr Field kShortName{4, "part short name"};
constexpr Field kPostedBy{260, "computer name"};
constexpr Field kPartName{516, "part file name"};

// The text of a field up to its NUL; false when the field has none.
bool field_text(const std::string &bytes, const Field &field, std::string *text) {
    const std::string raw = bytes.substr(field.offset, kTextSize);
    const std::size_t end = raw.find('\0');
    if (end == std::string::npos) return false;
    *text = raw.substr(0, end);
    return true;
}

std::string leaf_of(const std::string &windows_path) {
    const std::size_t slash = windows_path.find_last_of("\\/");
    return slash == std::string::npos ? windows_path : windows_path.substr(slash + 1);
}

}  // namespace

std::string part_extension(const std::string &part_name) {
    const std::string leaf = leaf_of(part_name);
    const std::size_t dot = leaf.find_last_of('.');
    return dot == std::string::npos ? ".prt" : leaf.substr(dot);
}

std::string record_stem(const std::string &file_name) {
    const std::string suffix = kTaskRecordSuffix;
    if (file_name.size() <= suffix.size() || file_name.compare(file_name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return "";
    return file_name.substr(0, file_name.size() - suffix.size());
}

bool parse_task_record(const std::string &bytes, TaskRecord *record, std::string *why) {
    if (bytes.size() < kTaskRecordSize) {
        *why = "the task record is cut short: " + std::to_string(bytes.size()) + " of " +
               std::to_string(kTaskRecordSize) + " bytes";
        return false;
    }
    if (bytes.size() > kTaskRecordSize) {
        *why = "the task record is " + std::to_string(bytes.size()) + " bytes long, not " +
               std::to_string(kTaskRecordSize);
        return false;
    }
    std::uint32_t version = 0;
    for (int i = 3; i >= 0; --i) version = version << 8 | static_cast<unsigned char>(bytes[i]);
    if (static_cast<std::int32_t>(version) != kTaskRecordVersion) {
        *why = "unknown task record version " + std::to_string(static_cast<std::int32_t>(version)) + " (this worker reads version " +
               std::to_string(kTaskRecordVersion) + ")";
        return false;
    }
    TaskRecord read;
    for (const auto &[field, text] : {std::pair{kShortName, &read.short_name}, std::pair{kPostedBy, &read.posted_by},
                                      std::pair{kPartName, &read.part_name}}) {
        if (!field_text(bytes, field, text)) {
            *why = std::string("the ") + field.what + " of the task record has no end (no NUL in its " +
                   std::to_string(kTextSize) + " bytes)";
            return false;
        }
    }
    if (read.short_name.empty()) {
        *why = "the task record names no part (its short name is empty)";
        return false;
    }
    // The short name becomes a file name in the task directory: it must stay there.
    if (read.short_name.find_first_of("\\/:") != std::string::npos || read.short_name == "." || read.short_name == "..") {
        *why = "the part short name '" + read.short_name + "' is not a plain file name";
        return false;
    }
    const std::string leaf = leaf_of(read.part_name);
    if (leaf.empty()) {
        *why = "the task record names no part file";
        return false;
    }
    read.extension = part_extension(read.part_name);
    const std::string stem = leaf.rfind('.') == std::string::npos ? leaf : leaf.substr(0, leaf.size() - read.extension.size());
    if (stem != read.short_name) {
        *why = "the part file name '" + read.part_name + "' does not belong to the short name '" + read.short_name + "'";
        return false;
    }
    *record = read;
    return true;
}

}  // namespace nxhost::worker
