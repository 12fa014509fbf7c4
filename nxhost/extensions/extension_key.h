// The key every extension entry takes as its last argument: a call that does not pass it comes
// from a caller built against another version of the entry and is refused.
#pragma once

#define QZ_EXTENSION_KEY 999
