// A dialog layout (nxhost-dialog/1): parsed, then every item looked up by its id and asked
// whether it is effectively sensitive and visible, as the dialogs ask.
#include "fuzz_support.h"
#include "nxhost/ui/styler/model.h"

TORVANE_FUZZ_TARGET(layout) {
    fuzzsupport::Session session;
    try {
        const nxhost::styler::Layout layout = nxhost::styler::parse_layout(input, "fuzz.dlg");
        for (std::size_t i = 0; i < layout.items.size(); ++i) {
            if (nxhost::styler::find_item(layout.items, layout.items[i].id) < 0)
                fuzzsupport::finding("an item is not found by its id");
            nxhost::styler::effectively_sensitive(layout.items, i);
            nxhost::styler::effectively_visible(layout.items, i);
        }
    } catch (const nxhost::styler::LayoutError &) {
        // A malformed layout is refused naming the file and the item at fault.
    }
}
