/* Listing window: a scrolling text window for reports. In external mode the
 * text goes to standard output. uf_ui.h includes this header. */
#ifndef UF_UI_UGOPEN_H_INCLUDED
#define UF_UI_UGOPEN_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Opens the window (no-op if already open); must precede any write. */
extern UGOPENINTEXPORT int UF_UI_open_listing_window(void);

/* Appends text as given; the caller supplies its own line feeds. Fails if the
 * window is not open. */
extern UGOPENINTEXPORT int UF_UI_write_listing_window(const char *string);

/* *response is true while the window is open. */
extern UGOPENINTEXPORT int UF_UI_is_listing_window_open(logical *response);

extern UGOPENINTEXPORT int UF_UI_close_listing_window(void);

/* Closes the window and ends the program's use of it. */
extern UGOPENINTEXPORT int UF_UI_exit_listing_window(void);

UF_END_C

#endif
