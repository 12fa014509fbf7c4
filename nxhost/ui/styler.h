// UIStyler dialogs of the stand-in (UF_STYLER_*): where layout files are found.
//
// UF_STYLER_create_dialog reads the dialog's layout file (our JSON format nxhost-dialog/1,
// nxhost/ui/styler/FORMAT.md), calls the constructor, shows the dialog in the transcript,
// plays the scenario's `dialog FILE` block (or a bare `cancel` / `back`) as the user, calls the
// destructor and returns the response. A scenario that does not fit the dialog ends in
// script::fatal naming the script line.
//
// How the engine reads the add-on's requests where NX leaves room:
//  - single list VALUE: set by subitem_index (replaces the selection); ask with indicator
//    INTEGER_VALUE (selected index, -1 for none), STRING_VALUE (its text, "" for none),
//    INTEGER_PTR_VALUE or STRING_PTR_VALUE (count 0 or 1).
//  - multi list VALUE: set by subitem_index adds that line to the selection (LIST_DESELECT
//    removes one, or all with UF_STYLER_NO_SUB_INDEX); INTEGER_PTR_VALUE / STRING_PTR_VALUE with
//    count replace it. An index past the lines leaves the selection unchanged and returns 0.
//  - radio box and option menu VALUE: the entry index in value.integer either way.
//  - multi-line text VALUE: STRING_PTR_VALUE lines + count, or STRING_VALUE split at '\n'.
//  - bitmap VALUE and BITMAP: the picture's file name.
//  - button layout VALUE: the last button pressed; callbacks get it as subitem_index and value.
#pragma once

#include <string>
#include <vector>

namespace nxhost {

// Directories searched, in order, for a dialog file given by name: its base name is matched
// case-insensitively (".dlg" may be omitted). A name that is a Windows path (drive or
// backslash) or an existing host path is tried first as given. The list survives reset_all,
// as NX's application search path survives a session.
void add_dialog_directory(const std::string &host_dir);
void clear_dialog_directories();
const std::vector<std::string> &dialog_directories();

// Host path of the dialog file the add-on names, "" when there is none.
std::string find_dialog_file(const std::string &name);

// "" when the file is a valid layout, else what is wrong ("FILE: item 2 \"LIST_1\": ...").
std::string check_dialog_layout(const std::string &host_path);

}  // namespace nxhost
