// Tool and holder libraries: what a row, a table, a section text and the current part's setup
// give, and what the user reads when something in them is wrong.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"

namespace {

using addontest::numbered_catalogue;
using Lines = std::vector<std::string>;

const char LIB_PATH[] = "D:\\qz_conf\\lib.def", KEY[] = "tool_data_define_start_1:",
           HKEY[] = "holder_data_define_start_1:";

// A tool row of all 21 columns: number, name, diameter, the numbers 4 to 19, holder, text.
std::string tool_row(const std::string &number, const std::string &name, const std::string &dia,
                     const std::string &holder = "H1", const std::string &descr = "d") {
    std::string row = number + "|" + name + "|" + dia;
    for (int column = 4; column <= 19; ++column) row += "|" + std::to_string(column);
    return row + "|" + holder + "|" + descr + "\n";
}

// Every field of a cutter record: "NAME|holder|descr|" and the numbers in column order.
std::string fields(const tool_data &t) {
    char numbers[400];
    std::snprintf(numbers, sizeof numbers, "%d %g %g %d %g %g %d %g %g %g %g %g %g %g %g %g %g %g", t.lib_number,
                  t.tool_dia, t.tool_r, t.tool_number, t.tool_len, t.tool_flute, t.flute_number, t.taper_angle,
                  t.tip_angle, t.speed, t.per_cut_depth, t.step_dis, t.approach_feed, t.engage_feed, t.first_cut_feed,
                  t.cut_feed, t.traversal_feed, t.retract_feed);
    return std::string(t.tool_name) + "|" + t.holder_name + "|" + t.tool_descr + "|" + numbers;
}

const char *name_of(const tool_data &t) { return t.tool_name; }
const char *name_of(const holder_data &h) { return h.holder_name; }
template <class Record>
std::string names(const Record *list) {
    std::string joined;
    for (; list; list = list->next_p) joined += (joined.empty() ? "" : ",") + std::string(name_of(*list));
    return joined;
}

// Lists of one record "OLD": the readers must keep them on failure and free them on success.
tool_data *old_tools() { return new tool_data{0, 0, 0, "OLD"}; }
holder_data *old_holders() { return new holder_data{0, "OLD"}; }

// A case of a row, section or table reader: what it gives ("-" when refused) and the messages shown.
struct Case {
    const char *what;
    bool holder;
    std::optional<std::string> input;
    std::string expected;
    Lines messages;
};

class ToolLibraries : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        write_file("qz_conf/lang/my_func_cam.txt",
                   numbered_catalogue("MY_read_tool_libref_ne_", "T", 14) +
                       numbered_catalogue("read_tool_libref_", "R", 4) +
                       numbered_catalogue("MY_read_holder_libre_", "H", 14) +
                       numbered_catalogue("read_holder_libref_from_row_", "W", 5) +
                       numbered_catalogue("MY_read_current_part_too_", "P", 2) +
                       numbered_catalogue("MY_read_tool_data_from_too_", "NO_HOLDER_", 1));
        write_file("qz_conf/lang/torvane.txt", numbered_catalogue("get_char_holder_section_dat_", "S", 4));
    }
    // Each case's outcome and messages, the messages of earlier cases cleared.
    void check(const std::vector<Case> &cases, const std::function<std::string(const Case &)> &outcome) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.what);
            clear_shown();
            EXPECT_EQ(outcome(c), c.expected);
            EXPECT_EQ(shown("message"), c.messages);
        }
    }
    void put_library(const std::optional<std::string> &content) {
        std::remove((drive_dir() + "/qz_conf/lib.def").c_str());
        if (content) write_file("qz_conf/lib.def", *content);
        clear_shown();
    }
    // Opens a part of the stand-in's format, under a file name of its own, as the displayed part.
    void open_part(const std::string &json) {
        const std::string file = "p" + std::to_string(++parts_) + ".prt";
        write_file("parts/" + file, json);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\" + file, &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
    }
    int parts_ = 0;
};

TEST_F(ToolLibraries, PutEveryColumnOfAToolRowIntoItsField) {
    tool_data r;
    ASSERT_EQ(read_tool_libref_from_row("1|n|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|h|d|extra\n", &r), 1);
    // Only the name is upper-cased; columns after the 21st are ignored.
    EXPECT_EQ(fields(r), "N|h|d|1 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19");
}

TEST_F(ToolLibraries, ApplyTheRowRules) {
    const std::string a30(30, 'a'), a31(31, 'a'), h85(85, 'h'), d300(300, 'd'), n81(81, 'n');
    const std::string stray = "W04 \xa1\xb0" "BT40\xa1\xb1 W05";  // the quotation marks of code page 936
    // Tools give "NAME/holder/descr/dia/r", holders "NAME/sections".
    check({{"blanks and commas go everywhere, upper case only on the name", 0,
            "1 | t-10 | 1,0 | 0.5|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19| hsk 63 | flat end mill\n",
            "T-10/hsk63/flatendmill/10/0.5", {}},
           {"a name of 30 characters", 0, tool_row("1", a30, "6"), std::string(30, 'A') + "/H1/d/6/4", {}},
           {"a name of 31 characters", 0, tool_row("1", a31, "6"), "-", {a31 + " R01"}},
           {"no name: warned, read as NULL", 0, tool_row("5", " ", "6"), "NULL/H1/d/6/4", {"R02 5 R03"}},
           {"diameter 0", 0, tool_row("1", "a", "0.000"), "-", {"0.000 R04"}},
           {"a column not closed is not stored, missing ones stay empty", 0, "1|a|6|0.5", "A///6/0", {}},
           {"long holder and description are cut", 0, tool_row("1", "a", "6", h85, d300),
            "A/" + h85.substr(0, 80) + "/" + d300.substr(0, 259) + "/6/4", {}},
           {"a warning per stray character, row taken", 1, "1|bt40|20*35#; 32 X 50,\xb4\xd6|d\n",
            "BT40/20*35#;32X50\xb4\xd6", {stray, stray, stray}},
           {"a holder name of 81 characters", 1, "1|" + n81 + "|20X35|d\n", "-", {n81 + " W01"}},
           {"no holder name: warned, read as NULL", 1, "3||20X35|d\n", "NULL/20X35", {"W02 3 W03"}}},
          [](const Case &c) {
              tool_data t;
              holder_data h;
              if (c.holder)
                  return read_holder_libref_from_row(c.input->c_str(), &h)
                             ? std::string(h.holder_name) + "/" + h.section_text
                             : "-";
              if (!read_tool_libref_from_row(c.input->c_str(), &t)) return std::string("-");
              char numbers[80];
              std::snprintf(numbers, sizeof numbers, "/%g/%g", t.tool_dia, t.tool_r);
              return std::string(t.tool_name) + "/" + t.holder_name + "/" + t.tool_descr + numbers;
          });
}

TEST_F(ToolLibraries, ParseHolderSectionsUntilABadOne) {
    // The result, then diameter/length/taper/corner of each section read.
    check({{"sections, a taper, other characters ignored", 0, "20X35;32mmX50X5;", "1 20/35/0/0;32/50/5/0;", {}},
           {"small x, a corner, a fifth value ignored", 0, "20x35x2x0.5x9", "1 20/35/2/0.5;", {}},
           {"no sections", 0, "", "1 ", {}},
           {"no length", 0, "20X35;32", "0 20/35/0/0;", {"S03 BT40 S04"}},
           {"a negative diameter", 0, "20X35;-32X50;40X50", "0 20/35/0/0;", {"S01 BT40 S02"}},
           {"diameter 0", 0, "0X35", "0 ", {"S01 BT40 S02"}},
           {"an empty section", 0, "20X35;;40X50", "0 20/35/0/0;", {"S01 BT40 S02"}}},
          [](const Case &c) {
              holder_section *list = nullptr;
              std::string got = std::to_string(get_char_holder_section_data("BT40", c.input->c_str(), &list)) + " ";
              for (const holder_section *s = list; s; s = s->next_p) {
                  char text[100];
                  std::snprintf(text, sizeof text, "%g/%g/%g/%g;", s->diameter, s->length, s->taper_angle,
                                s->corner_radius);
                  got += text;
              }
              free_holder_section_list(&list);
              return got;
          });
}

// A tool table of the rows with its key line and header line.
std::string table(const std::string &rows) { return std::string(KEY) + " rest of the line 1|X|1\nh\n" + rows; }

TEST_F(ToolLibraries, ReadATableOrKeepThePreviousList) {
    const std::string k = KEY, hk = HKEY, p = LIB_PATH, a = tool_row("1", "a", "1");
    const std::string row999 = tool_row("2", "B", "2", "H1", std::string(948, 'd'));
    const std::string row1000 = tool_row("2", "B", "2", "H1", std::string(949, 'd'));
    ASSERT_EQ(row999.size(), 1000u);
    // The result, then the names of the list, which held "OLD" before. Holders share the reader:
    // their rows show that it runs with the holder texts and numbers.
    check({{"Windows line ends, a header reading EOF is still the header", 0, k + "\r\nEOF\r\n1|a|1|2\r\nEOF\r\n",
            "1 A", {}},
           {"empty lines are skipped, EOF in a description ends the table", 0,
            table("\n" + a + "\n" + tool_row("2", "b", "2") + tool_row("3", "c", "3", "H1", "not EOF") + "EOF\n"),
            "1 A,B", {}},
           {"an empty table", 0, table("EOF\n"), "1 ", {}},
           {"a NUL and more after the end marker", 0, table(a + std::string("EOF\0|x EOF\0\0\n", 13)), "1 A", {}},
           {"a row of 999 characters", 0, table(row999 + "EOF\n"), "1 B", {}},
           {"a row of 1000 characters", 0, table(row1000 + "EOF\n"), "0 OLD",
            {"T13 " + k + " T14 " + row1000.substr(0, 40)}},
           {"no EOF line", 0, table(a), "0 OLD", {"T07 " + k + " T08"}},
           {"a bad row drops the whole table", 0, table(a + tool_row("2", "b", "0") + "EOF\n"), "0 OLD", {"0 R04"}},
           {"no file", 0, std::nullopt, "0 OLD", {"T01 " + p + " T02"}},
           {"no key", 0, "tool_data_define_start_2:\nh\nEOF\n", "0 OLD", {"T03 " + p + " T04 " + k + " T05"}},
           {"duplicates: all kept, the first pair named", 0,
            table(a + tool_row("2", "b", "2") + tool_row("3", "A", "3") + tool_row("4", "b", "4") + "EOF\n"),
            "1 A,B,A,B", {"T09 1 T10 3 T11(A)T12"}},
           {"holders", 1, hk + "\nh\n1|a|20X35|x\n2|a|20X35|y\nEOF\n", "1 A,A", {"H09 1 H10 2 H11(A)H12"}},
           {"no EOF after the holders", 1, hk + "\nh\n1|a|20X35|x\n", "0 OLD", {"H07 " + hk + " H08"}}},
          [&](const Case &c) {
              put_library(c.input);
              tool_data *tools = old_tools();
              holder_data *holders = old_holders();
              const int result = c.holder ? MY_read_holder_libref(HKEY, &holders, LIB_PATH)
                                          : MY_read_tool_libref_new(KEY, &tools, LIB_PATH);
              for (tool_data *t = tools; t && t->next_p; t = t->next_p) EXPECT_EQ(t->next_p->prev_p, t);
              const std::string got = std::to_string(result) + " " + (c.holder ? names(holders) : names(tools));
              free_tool_data_list(&tools);
              free_holder_data_list(&holders);
              return got;
          });
}

TEST_F(ToolLibraries, FindCuttersIgnoringCaseAndHoldersExactly) {
    put_library(std::string(KEY) + "\nh\n" + tool_row("1", "d10", "10", "BT40") + tool_row("2", "none", "2") +
                tool_row("3", "D10", "12") + "EOF\n");
    tool_data *tools = nullptr;
    ASSERT_EQ(MY_read_tool_libref_new(KEY, &tools, LIB_PATH), 1);
    EXPECT_EQ(find_tool_data(tools, "d10"), tools) << "the first of equal names";
    EXPECT_EQ(find_tool_data(tools, "None"), nullptr) << "NONE is no cutter";
    EXPECT_EQ(find_tool_data(tools, "D8"), nullptr);
    holder_data holder{0, "BT40"};
    EXPECT_EQ(find_holder_data(&holder, tools->holder_name), &holder);
    EXPECT_EQ(find_holder_data(&holder, "bt40"), nullptr);
    free_tool_data_list(&tools);
}

TEST_F(ToolLibraries, ReadEveryTableOfTheShippedLibrariesCleanly) {
    for (const char *file : {"config_tool_libref.def", "config_holder_libref.def"})
        write_file(std::string("qz_conf/") + file,
                   testsupport::read_host_file(testsupport::source_dir() + "/conf/qz_conf/" + file));
    holder_data *holders = nullptr;
    ASSERT_EQ(MY_read_holder_libref(HKEY, &holders, HOLDER_LIBREF_PATH), 1);
    for (const holder_data *h = holders; h; h = h->next_p) {
        holder_section *sections = nullptr;
        EXPECT_EQ(get_char_holder_section_data(h->holder_name, h->section_text, &sections), 1) << h->holder_name;
        EXPECT_NE(sections, nullptr) << h->holder_name;
        free_holder_section_list(&sections);
    }
    for (int n = 1; n <= TOOL_LIBREF_COUNT; ++n) {
        const std::string number = std::to_string(n);
        char name[MY_CONFIG_VALUE_BUFSIZE] = "";
        EXPECT_EQ(read_config_value_char(("tool_libref_" + number + "_name:").c_str(), name, TOOL_LIBREF_PATH), 1);
        tool_data *tools = nullptr;
        EXPECT_EQ(MY_read_tool_libref_new(("tool_data_define_start_" + number + ":").c_str(), &tools, TOOL_LIBREF_PATH),
                  1);
        EXPECT_NE(tools, nullptr) << name;
        for (const tool_data *t = tools; t; t = t->next_p) {
            EXPECT_NE(find_holder_data(holders, t->holder_name), nullptr) << name << " " << t->tool_name;
            EXPECT_GT(t->speed * t->cut_feed * t->tool_len * t->per_cut_depth * t->step_dis, 0.0) << t->tool_name;
        }
        free_tool_data_list(&tools);
    }
    free_holder_data_list(&holders);
    EXPECT_EQ(shown("message"), Lines{});
}

TEST_F(ToolLibraries, ListTheCuttersOfTheCurrentSetupWithTheirDataAndHolders) {
    tool_data *list = old_tools();
    open_part(R"({"format":"nxhost-part/1"})");
    EXPECT_EQ(MY_read_current_part_tool(&list), 1);
    EXPECT_EQ(list, nullptr) << "a part without setup has no cutters; the old list is replaced";
    // A text attribute is no cutting data; the catalogue names the holder of a cutter without one.
    open_part(R"({"format":"nxhost-part/1","cam":{"machine":[{"unused":[]},
        {"cutter":"D10R0.5","params":{"TL_DIAMETER":10,"TL_COR1_RAD":0.5,"TL_NUMBER":111,"TL_HEIGHT":75,
         "TL_FLUTE_LN":25,"TL_NUM_FLUTES":4,"TL_TAPER_ANG":0.017453292519943295},
         "attributes":[{"title":"speed","type":"real","value":5000},{"title":"retract_feed","type":"real","value":3000},
         {"title":"cut_feed","type":"string","value":"1600"},{"title":"tool_descr","type":"string","value":"bull nose"}]},
        {"cutter":"B6","kind":"ball_mill","params":{"TL_DIAMETER":6,"TL_COR1_RAD":3},
         "attributes":[{"title":"holder_name","type":"string","value":"BT40_ER16_70"}]}]}})");
    ASSERT_EQ(MY_read_current_part_tool(&list), 1);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->next_p, nullptr);
    EXPECT_EQ(fields(*list), "D10R0.5|NO_HOLDER_01|bull nose|1 10 0.5 111 75 25 4 1 0 5000 0 0 0 0 0 0 0 3000");
    EXPECT_EQ(fields(*list->next_p), "B6|BT40_ER16_70||2 6 3 0 75 50 2 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(list->next_p->prev_p, list);
    EXPECT_EQ(shown("listing"), Lines{}) << "every query of a real cutter is answered";
    EXPECT_EQ(shown("message"), Lines{});
    free_tool_data_list(&list);
}

TEST_F(ToolLibraries, SurviveEveryFailingNxCallWhileReadingLibraries) {
    auto setup = [&] {
        put_library(std::string(KEY) + "\nh\n" + tool_row("1", "", "1") + tool_row("2", "a", "2") +
                    tool_row("3", "a", "3") + "EOF\n" + HKEY + "\nh\n1|a|20X35*|x\n2|a|0X35|y\nEOF\n");
        open_part(R"({"format":"nxhost-part/1"})");
    };
    auto body = [] {
        tool_data *tool_list = nullptr;
        holder_data *holder_list = nullptr;
        holder_section *sections = nullptr;
        MY_read_tool_libref_new(KEY, &tool_list, LIB_PATH);
        MY_read_holder_libref(HKEY, &holder_list, LIB_PATH);
        for (const holder_data *h = holder_list; h; h = h->next_p)
            get_char_holder_section_data(h->holder_name, h->section_text, &sections);
        MY_read_current_part_tool(&tool_list);
        free_tool_data_list(&tool_list);
        free_holder_data_list(&holder_list);
        free_holder_section_list(&sections);
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    };
    EXPECT_GE(testsupport::run_failing_each_call(setup, body), 6);
}

}  // namespace
