// The torvane module: session driver, plan, dialogs, builders. Its records and functions are
// declared in one header per concern, all gathered here.
#ifndef TORVANE_TORVANE_H_INCLUDED
#define TORVANE_TORVANE_H_INCLUDED

#include "torvane/dlg_state.h"
#include "torvane/plan.h"

#endif
