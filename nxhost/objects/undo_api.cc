// Undo marks. The stand-in records marks; rolling the session back to one is not offered
// (the add-on never undoes), and the undo calls say so with an error code.
#include <algorithm>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "uf_undo.h"

using namespace nxhost;

namespace {

constexpr int kMaxMarks = 100;
constexpr int kTooManyMarks = 1105019;
constexpr int kNotOffered = 1105032;

struct Mark {
    UF_UNDO_mark_id_t id;
    int visibility;
    std::string name;
};

struct Marks {
    std::vector<Mark> marks;
    UF_UNDO_mark_id_t next_id = 1;
};

Marks &marks() {
    static Marks m;
    return m;
}

const bool registered = register_reset([] { marks() = Marks{}; });

}  // namespace

extern "C" int UF_UNDO_set_mark(UF_UNDO_user_visibility_t visibility, UF_UNDO_mark_name_c_t mark_name,
                                UF_UNDO_mark_id_t *mark_id) {
    NXHOST_ENTER("UF_UNDO_set_mark");
    if (!mark_id) return kBadArgument;
    Marks &m = marks();
    if (m.marks.size() >= kMaxMarks) return kTooManyMarks;
    *mark_id = m.next_id++;
    m.marks.push_back({*mark_id, static_cast<int>(visibility), mark_name ? mark_name : ""});
    return 0;
}

extern "C" int UF_UNDO_delete_mark(UF_UNDO_mark_id_t mark_id, UF_UNDO_mark_name_c_t) {
    NXHOST_ENTER("UF_UNDO_delete_mark");
    auto &list = marks().marks;
    auto it = std::find_if(list.begin(), list.end(), [&](const Mark &mk) { return mk.id == mark_id; });
    if (it == list.end()) return kBadArgument;
    list.erase(it);
    return 0;
}

extern "C" int UF_UNDO_undo_to_last_mark(UF_UNDO_user_visibility_t, UF_UNDO_mark_id_t *) {
    NXHOST_ENTER("UF_UNDO_undo_to_last_mark");
    return kNotOffered;
}

extern "C" int UF_UNDO_undo_to_mark(UF_UNDO_mark_id_t, UF_UNDO_mark_name_c_t) {
    NXHOST_ENTER("UF_UNDO_undo_to_mark");
    return kNotOffered;
}
