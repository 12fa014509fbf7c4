// The template set and the insert definitions: entries that lead to template parts with a CAM
// setup, definitions that name groups and operations of their insert template parts.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "nxhost/cam/cam_model.h"
#include "nxhost/checkconf/checks.h"
#include "nxhost/parts/parts.h"

namespace nxhost::checkconf {

namespace {

constexpr std::size_t kLineMax = 2499;
constexpr std::size_t kFieldMax = 255;
constexpr std::size_t kDescriptionMax = 1999;

struct DefLine {
    int line;
    std::string text;  // blanks removed
};

// The lines the readers take: not holding '#', at least 5 characters with the line feed, not
// only blanks; blanks removed.
std::vector<DefLine> definition_lines(const TextFile &file, Report &report) {
    std::vector<DefLine> taken;
    const std::vector<std::string> lines = split_lines(file.bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        const int number = static_cast<int>(i) + 1;
        if (line.size() > kLineMax)
            report.warning(file.path, number,
                           "line longer than " + std::to_string(kLineMax) + " characters is read as two lines");
        const bool ended = i + 1 < lines.size() || (!file.bytes.empty() && file.bytes.back() == '\n');
        if (line.find('#') != std::string::npos || line.size() + (ended ? 1 : 0) < 5) continue;
        std::string text;
        for (char c : line)
            if (c != ' ') text += c;
        if (text.empty()) continue;
        taken.push_back({number, text});
    }
    return taken;
}

std::vector<std::string> split(const std::string &text, char separator, std::size_t most) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < most) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string::npos) break;
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

// The part loaded, or NULL_TAG after an error naming it on `line` of `file`.
tag_t load(const std::string &host_path, const TextFile &file, int line, Report &report) {
    std::string error;
    const tag_t part = load_part(host_path, &error);
    if (part == NULL_TAG) report.error(file.path, line, "template part cannot be loaded: " + error);
    return part;
}

void collect_groups(tag_t group, std::vector<tag_t> *groups) {
    const cam::CamObject *object = cam::cam_object(group);
    if (!object) return;
    for (tag_t member : object->members) {
        const cam::CamObject *m = cam::cam_object(member);
        if (!m || m->kind == cam::Kind::Cutter || m->kind == cam::Kind::Operation) continue;
        if (m->kind == cam::Kind::Group) groups->push_back(member);
        collect_groups(member, groups);
    }
}

// The names of the program groups, or of the operations, of a part's setup, upper case.
std::set<std::string> cam_names(tag_t part, bool operations) {
    std::set<std::string> names;
    const tag_t setup = cam::setup_of_part(part);
    const cam::CamObject *object = cam::cam_object(setup);
    if (!object) return names;
    const tag_t root = object->roots[cam::kProgramView];
    std::vector<tag_t> tags;
    if (operations) tags = cam::operations_under(root);
    else collect_groups(root, &tags);
    for (tag_t tag : tags) names.insert(upper(cam::name_of(tag)));
    return names;
}

void check_insert_file(const std::string &dir, const char *name, bool operations, Report &report) {
    TextFile file;
    if (!read_text(join(dir, std::string(name) + ".def"), &file, report)) return;
    const std::string part_file = std::string(name) + ".prt";
    const std::string part_path = find_in_folder(dir, part_file);
    tag_t part = NULL_TAG;
    if (part_path.empty()) report.error(file.path, 1, "its template part " + part_file + " is missing beside it");
    else part = load(part_path, file, 1, report);
    if (part != NULL_TAG && cam::setup_of_part(part) == NULL_TAG) {
        report.error(file.path, 1, "its template part " + part_file + " has no CAM setup");
        part = NULL_TAG;
    }
    const std::set<std::string> names = part == NULL_TAG ? std::set<std::string>() : cam_names(part, operations);
    const char *kind = operations ? "operation" : "program group";
    for (const DefLine &line : definition_lines(file, report)) {
        const std::vector<std::string> fields = split(line.text, '=', 3);
        if (fields.size() == 1)
            report.warning(file.path, line.line, "no '=': the whole line is taken as a name without description");
        if (fields[0].size() > kFieldMax || (fields.size() > 1 && fields[1].size() > kFieldMax))
            report.warning(file.path, line.line, "name or description longer than 255 characters is cut");
        if (part != NULL_TAG && !names.count(upper(fields[0])))
            report.warning(file.path, line.line,
                           std::string("no ") + kind + " " + fields[0] + " in " + part_file +
                               ": its description is never shown");
    }
}

}  // namespace

void check_template_set(const std::string &root, Report &report) {
    const std::string dir = join(root, "cam_qz/cam_template");
    TextFile file;
    if (!read_text(join(dir, "qz_cam_int_template_set.def"), &file, report)) return;
    std::set<std::string> seen;
    for (const DefLine &line : definition_lines(file, report)) {
        const std::vector<std::string> fields = split(line.text, ';', 5);
        const std::string template_file = fields.size() > 1 ? fields[1] : "";
        const std::string bitmap = fields.size() > 2 ? fields[2] : "";
        for (std::size_t f = 0; f < std::min<std::size_t>(fields.size(), 4); ++f)
            if (fields[f].size() > (f == 3 ? kDescriptionMax : kFieldMax))
                report.warning(file.path, line.line,
                               "field " + std::to_string(f + 1) + " is longer than " +
                                   std::to_string(f == 3 ? kDescriptionMax : kFieldMax) + " characters and is cut");
        if (template_file.empty()) {
            report.error(file.path, line.line, "entry names no template part");
            continue;
        }
        if (!seen.insert(upper(template_file)).second)
            report.warning(file.path, line.line, "template part " + template_file + " is listed twice");
        const std::string part_path = find_in_folder(dir, template_file);
        if (part_path.empty()) {
            report.error(file.path, line.line, "template part " + template_file + " is not in the template folder");
        } else {
            const tag_t part = load(part_path, file, line.line, report);
            if (part != NULL_TAG && cam::setup_of_part(part) == NULL_TAG)
                report.error(file.path, line.line, "template part " + template_file + " has no CAM setup");
        }
        const std::string picture = bitmap.empty() ? "null.bmp" : bitmap;
        if (find_in_folder(dir, picture).empty())
            report.warning(file.path, line.line, "picture " + picture + " is not in the template folder");
    }
}

void check_insert_definitions(const std::string &root, Report &report) {
    const std::string dir = join(root, "cam_qz/insert_template");
    check_insert_file(dir, "insert_group_template", false, report);
    check_insert_file(dir, "insert_oper_template", true, report);
}

}  // namespace nxhost::checkconf
