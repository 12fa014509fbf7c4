// Reading scenario scripts.
#include <gtest/gtest.h>

#include "nxhost/script/script.h"

namespace {

using nxhost::script::parse;
using nxhost::script::ScriptError;

TEST(ScriptTest, InteractionsCollectTheirDialogActions) {
    const auto script = parse(
        "# the user picks a template\n"
        "dialog sel_cam_template_dlg.dlg\n"
        "  select LIST_1 \"R1  cav top.prt\"   # quoted: keeps blanks\n"
        "  set TOGGLE_2 1\r\n"
        "  press OK\n"
        "\n"
        "pick solids E1 E3\n"
        "cancel\n",
        "s.scn");
    ASSERT_EQ(script.interactions.size(), 3u);
    const auto &dialog = script.interactions[0];
    EXPECT_EQ(dialog.head.arg(0), "sel_cam_template_dlg.dlg");
    ASSERT_EQ(dialog.actions.size(), 3u);
    EXPECT_EQ(dialog.actions[0].words, (std::vector<std::string>{"select", "LIST_1", "R1  cav top.prt"}));
    EXPECT_EQ(dialog.actions[1].words, (std::vector<std::string>{"set", "TOGGLE_2", "1"}));
    EXPECT_EQ(dialog.actions[2].number, 5);
    EXPECT_EQ(script.interactions[1].head.words, (std::vector<std::string>{"pick", "solids", "E1", "E3"}));
    EXPECT_EQ(script.interactions[2].head.verb(), "cancel");
}

TEST(ScriptTest, EscapesInsideQuotes) {
    const auto script = parse("filebox \"D:\\\\a \\\"b\\\".prt\"\n", "s.scn");
    EXPECT_EQ(script.interactions[0].head.arg(0), "D:\\a \"b\".prt");
}

TEST(ScriptTest, MalformedLinesNameFileAndLine) {
    struct Case { const char *text; const char *message; } cases[] = {
        {"press OK\n", "s.scn:1: 'press' must follow a 'dialog' line"},
        {"dialog a.dlg\n  press MAYBE\n", "s.scn:2: press takes OK, APPLY, BACK or CANCEL"},
        {"dialog\n", "s.scn:1: dialog takes one dialog file name"},
        {"\n\nfly away\n", "s.scn:3: unknown word 'fly'"},
        {"pick E1\n", "s.scn:1: pick takes 'solids', 'faces' or 'objects'"},
        {"point 1 2\n", "s.scn:1: point takes three coordinates"},
        {"point 1 2 z\n", "s.scn:1: point coordinate 'z' is not a number"},
        {"filebox \"D:\\a\n", "s.scn:1: unterminated quoted text"},
        {"cancel now\n", "s.scn:1: cancel takes no arguments"},
        {"pick solids E1\n  set X 1\n", "s.scn:2: 'set' must follow a 'dialog' line"},
        {"dialog a.dlg\n  set X\n", "s.scn:2: wrong number of arguments for 'set'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parse(c.text, "s.scn");
            ADD_FAILURE() << "accepted";
        } catch (const ScriptError &e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(ScriptTest, AMissingFileIsReportedByName) {
    EXPECT_THROW(nxhost::script::parse_file("/nonexistent/x.scn"), ScriptError);
}

}  // namespace
