// Texts of the torvane catalogue shown to the user: in a message box, on the status line or the
// prompt line. Each looks its text up right before showing it; 0 when the lookup failed (the
// lookup has then shown why, and the caller ends its action).
#ifndef TORVANE_MESSAGES_H_INCLUDED
#define TORVANE_MESSAGES_H_INCLUDED

#include <string>

int show_torvane_message(const char *tag);

// "first text, name, second text" in a message box.
int show_torvane_name_message(const char *tag_1, const char *name, const char *tag_2);

int show_torvane_status(const char *tag);
int show_torvane_prompt(const char *tag);

// The text of tag into *text.
int torvane_text(const char *tag, std::string *text);

#endif
