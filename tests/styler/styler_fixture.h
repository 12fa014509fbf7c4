// Scaffolding of the dialog tests: a probe that stands in for the add-on's callbacks (it records
// what each callback was told and runs a per-test handler), callback tables, and short forms
// of the ask/set calls a handler makes.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "standin_test.h"
#include "uf_styler.h"

namespace stylertest {

using Handler = std::function<int(int dialog_id, UF_STYLER_item_value_type_p_t data)>;

// Client data of every test dialog.
struct Probe {
    // "ITEM kind sub=N value", e.g. "LIST_1 activate sub=1 str=two"; dialog callbacks as "dialog ok sub=0".
    std::vector<std::string> calls;
    std::map<std::pair<std::string, int>, Handler> handlers;
    int last_dialog_id = 0;

    void on(const std::string &object, int cb_type, Handler handler) { handlers[{object, cb_type}] = handler; }
};

// Calls the probe's handler for (item, reason), or returns 0.
int probe_callback(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t data);

struct Registration {
    const char *object;
    int type;
};

// A table calling probe_callback for each registration, closed by a null entry (counted).
std::vector<UF_STYLER_callback_info_t> callbacks(std::initializer_list<Registration> registrations);

// "int=1", "real=0.25", "str=abc", "ints=0,2", "strs=a|b", "" for no value.
std::string describe(const UF_STYLER_item_value_type_t &data);

class StylerTest : public testsupport::StandinTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a dialog with the table; returns what UF_STYLER_create_dialog returns.
    int open(const char *file, std::vector<UF_STYLER_callback_info_t> table, Probe &probe, int *response);
    // The dialog lines of the transcript, as UTF-8.
    std::vector<std::string> dialog_lines() const;
};

// Requests a handler makes. Each returns the call's code.
int set_integer(int dialog_id, const char *item, int attr, int value, int subitem = UF_STYLER_NO_SUB_INDEX);
int set_real(int dialog_id, const char *item, double value);
int set_text(int dialog_id, const char *item, int attr, const char *text, int subitem = UF_STYLER_NO_SUB_INDEX);
int set_texts(int dialog_id, const char *item, int attr, const std::vector<std::string> &texts);
int set_selection(int dialog_id, const char *item, int indicator, const std::vector<int> &lines);

// Asks, describes the answer and frees it: "int=2", or "error N" when the call fails.
std::string ask(int dialog_id, const char *item, int attr, int indicator = UF_STYLER_NO_VALUE);

}  // namespace stylertest
