#include "header_layout_c.h"

#define NXOPEN_AS_VALUE(fact) (fact),

const size_t nxopen_c_layout[] = { NXOPEN_LAYOUT_FACTS(NXOPEN_AS_VALUE) };
const size_t nxopen_c_layout_count = sizeof nxopen_c_layout / sizeof nxopen_c_layout[0];
