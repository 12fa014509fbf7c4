// The linked tag lists of the modelling calls, as NX hands them out.
#pragma once

#include <vector>

#include "uf_defs.h"

namespace nxhost::modeling {

// A new NX-owned list holding tags in order, its nodes allocated as NX memory (UF_free-able,
// so a list never deleted shows as a leak). An empty list is one node whose eid is NULL_TAG:
// UF_MODL_put_list_item cannot change the caller's pointer, so it fills that node first.
uf_list_p_t make_tag_list(const std::vector<tag_t> &tags);

}  // namespace nxhost::modeling
