// Dialog layout files: what is refused and why, and how the add-on's file name is found.
#include <tuple>

#include "nxhost/ui/styler/model.h"
#include "styler_fixture.h"
#include "uf.h"

using namespace stylertest;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::StartsWith;

namespace {

class DialogLayout : public StylerTest {};

std::string layout_with(const std::string &items) {
    return R"({"format": "nxhost-dialog/1", "items": [)" + items + "]}";
}

TEST_F(DialogLayout, MalformedLayoutIsRefusedNamingTheFileAndTheItem) {
    const std::pair<std::string, const char *> cases[] = {
        {"{", "x.dlg: not valid JSON"},
        {"[]", "x.dlg: a dialog layout is a JSON object"},
        {R"({"format": "nxhost-dialog/2", "items": []})", "x.dlg: not a dialog layout: \"format\" must be"},
        {R"({"format": "nxhost-dialog/1"})", "x.dlg: 'items' must be an array"},
        {R"({"format": "nxhost-dialog/1", "items": [], "colour": 1})", "x.dlg: unknown key 'colour'"},
        {R"({"format": "nxhost-dialog/1", "items": [], "buttons": ["OK", "HELP"]})", "'buttons' may hold only"},
        {layout_with(R"({"id": "LIST_1", "kind": "lst"})"), "x.dlg: item 1 \"LIST_1\": unknown kind 'lst' (known: label,"},
        {layout_with(R"({"kind": "toggle"})"), "x.dlg: item 1: 'id' must be a non-empty string"},
        {layout_with(R"({"id": "A", "kind": "toggle"}, {"id": "A", "kind": "real"})"), "x.dlg: item 2 \"A\": duplicate id (item 1 has it too)"},
        {layout_with(R"({"id": "T", "kind": "toggle", "value": 2})"), "item 1 \"T\": 'value' of a toggle must be 0, 1"},
        {layout_with(R"({"id": "R", "kind": "real", "value": "0.5"})"), "item 1 \"R\": 'value' must be a number"},
        {layout_with(R"({"id": "I", "kind": "integer", "value": 1.5})"), "item 1 \"I\": 'value' must be an integer"},
        {layout_with(R"({"id": "L", "kind": "single_list", "entries": ["a", 2]})"), "'entries' must be a string"},
        {layout_with(R"({"id": "O", "kind": "option_menu", "entries": ["a"], "value": 1})"), "item 1 \"O\": 'value' 1 is not an index of its 1 entries"},
        {layout_with(R"({"id": "B", "kind": "action_button", "value": 1})"), "item 1 \"B\": key 'value' does not apply to an action_button"},
        {layout_with(R"({"id": "T", "kind": "toggle", "sensitive": "no"})"), "'sensitive' must be true or false"},
        {layout_with(R"({"id": "S", "kind": "scale_real", "minimum": 5, "maximum": 1})"), "'minimum' must be below 'maximum'"},
        {layout_with(R"({"id": "S", "kind": "scale_integer", "maximum": 10, "value": 11})"), "'value' lies outside 'minimum' to 'maximum'"},
        {layout_with(R"({"id": "E", "kind": "end_group"})"), "item 1 \"E\": end_group without a begin_group"},
        {layout_with(R"({"id": "G", "kind": "begin_group"}, {"id": "T", "kind": "toggle"})"), "item 1 \"G\": begin_group is never ended"},
        {layout_with(R"({"id": "L", "kind": "label", "label": "\ud83d\ude00"})"), "code page 936 cannot hold"},
    };
    for (const auto &[json, message] : cases) {
        SCOPED_TRACE(json);
        try {
            nxhost::styler::parse_layout(json, "x.dlg");
            ADD_FAILURE() << "the layout was accepted";
        } catch (const nxhost::styler::LayoutError &e) {
            EXPECT_THAT(e.what(), HasSubstr(message));
        }
    }
}

TEST_F(DialogLayout, DialogFileIsFoundAsGivenOrByItsBaseNameIgnoringCase) {
    write_file("ui/Mixed_Case.DLG", R"({"format": "nxhost-dialog/1", "items": []})");
    const std::string mounted = drive_dir() + "/ui/Mixed_Case.DLG";
    const std::pair<const char *, std::string> cases[] = {
        {"d:\\UI\\MIXED_CASE.dlg", mounted},
        {"tiny.dlg", "tests/styler/dialogs/tiny.dlg"},
        {"tiny", "tests/styler/dialogs/tiny.dlg"},
        {"C:\\Program Files\\app\\tiny.dlg", "tests/styler/dialogs/tiny.dlg"},
        {"nowhere.dlg", ""},
        {"", ""},
    };
    for (const auto &[name, expected] : cases) {
        SCOPED_TRACE(name);
        std::string found = nxhost::find_dialog_file(name);
        if (expected.empty()) EXPECT_EQ(found, "");
        else EXPECT_THAT(found, EndsWith(expected));
    }
}

TEST_F(DialogLayout, DialogFileMissingOrMalformedIsNotOpenedAndTheTranscriptSaysWhy) {
    write_file("ui/broken.dlg", layout_with(R"({"id": "LIST_1", "kind": "list"})"));
    nxhost::add_dialog_directory(drive_dir() + "/ui");
    EXPECT_THAT(nxhost::check_dialog_layout(drive_dir() + "/ui/broken.dlg"), HasSubstr("unknown kind 'list'"));
    EXPECT_EQ(nxhost::check_dialog_layout(nxhost::find_dialog_file("all_kinds.dlg")), "");
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"nowhere.dlg", "Dialog file not found", "dialog file not found"},
        {"broken.dlg", "File could not be read", "broken.dlg: item 1 \"LIST_1\": unknown kind 'list'"},
    };
    for (const auto &[file, fail_message, reason] : cases) {
        SCOPED_TRACE(file);
        clear_shown();
        Probe probe;
        play(std::string("dialog ") + file + "\n press OK\n");
        int response = -1;
        int rc = open(file, callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}}), probe, &response);
        char message[133];
        ASSERT_EQ(UF_get_fail_message(rc, message), 0);
        EXPECT_STREQ(message, fail_message);
        EXPECT_EQ(response, -1);
        EXPECT_EQ(nxhost::script::remaining(), 1u) << "the script is left for the next question";
        EXPECT_THAT(dialog_lines(), ElementsAre(AllOf(StartsWith("cannot open " + std::string(file) + ": "), HasSubstr(reason))));
        EXPECT_TRUE(probe.calls.empty()) << "no callback of a dialog that never opened";
    }
    play("");
}

}  // namespace
