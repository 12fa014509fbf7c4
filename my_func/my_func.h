// General NX routines shared by every module: message catalogue and reports of failed NX
// calls, keyed configuration readers, numbers, names and the listing window.
//
// Conventions: functions return 1 on success and 0 on failure unless said otherwise; a
// failure has been shown to the user already (message box) unless said otherwise. Output
// buffers belong to the caller and must have the stated sizes.
#ifndef MY_FUNC_H_INCLUDED
#define MY_FUNC_H_INCLUDED

#include <cstdio>
#include <initializer_list>
#include <string>

#include "uf_attr.h"
#include "uf_defs.h"

// Message catalogues: one per module in the language directory; each caller builds its
// catalogue path from the directory and its module's format right before its first lookup.
#define LANG_DIR "D:\\qz_conf\\lang"
#define TORVANE_LANG_FORMAT "%s\\torvane.txt"
#define MY_FUNC_LANG_FORMAT "%s\\my_func.txt"
#define MY_FUNC1_LANG_FORMAT "%s\\my_func1.txt"
#define MY_FUNC_CAM_LANG_FORMAT "%s\\my_func_cam.txt"

// Keyed definition files.
#define CONFIG_DEF_PATH "D:\\qz_conf\\config.def"
#define CONFIG_CAM_DEF_PATH "D:\\qz_conf\\config_cam.def"

#define MY_PATH_BUFSIZE 256          // a catalogue path built by build_lang_path
#define MY_MESSAGE_BUFSIZE 257       // a catalogue text: at most 256 characters
#define MY_CONFIG_VALUE_BUFSIZE 257  // a value of read_config_value_char: at most 256 characters
#define MY_NUMBER_TEXT_BUFSIZE 320   // MY_double_to_str of any double

// Token limits of the keyed readers' key and value scans.
#define MY_CONFIG_TOKEN_MAX 256
#define MY_EDM_DESCR_TOKEN_MAX 79
#define MY_LIBREF_TOKEN_MAX 301

// ---- message catalogue and reports --------------------------------------------------------

// path = catalogue_format ("%s\\my_func.txt" ...) filled with LANG_DIR.
void build_lang_path(char path[MY_PATH_BUFSIZE], const char *catalogue_format);

// Text of tag ("ufusr_01:") from the catalogue at catalogue_path into text (>= 257 bytes).
// 0 after showing why the text could not be found; text is then unchanged.
int lookup_message(const char *tag, char text[MY_MESSAGE_BUFSIZE], const char *catalogue_path);

// Shows the text of tag from one module's catalogue (catalogue_format as for build_lang_path)
// in an NX message box. 0 when it could not be found; the lookup has then shown why.
int show_catalogue_text(const char *catalogue_format, const char *tag);

// Texts of tags of one module's catalogue (catalogue_format as for build_lang_path) into
// texts, in order. 0 when one is missing; the lookup has then shown why.
int lookup_messages(const char *catalogue_format, std::initializer_list<const char *> tags, std::string texts[]);

// Formats as sprintf into buffer, which the caller sizes for the result. Characters
// written, or -1 on an encoding error.
int format_text(char *buffer, const char *format, ...);

// Reports a non-zero NX return code in the listing window as the failing call's source file,
// line and text with NX's fail message. Returns code.
int report_nx_call(const char *file, int line, const char *call, int code);

// Wraps an NX call whose code matters; yields the call's code.
#define UF_CALL(X) report_nx_call(__FILE__, __LINE__, #X, (X))

// Nothing for 0; otherwise NX's fail message for code on the status line and, with a line
// break, on stderr. Returns code.
int report_status_code(int code);
// The same on stderr only, for a code met while no session is open (UF_initialize failed, or
// UF_terminate ended the session anyway): every other NX call would be refused then.
int report_code_without_session(int code);

// Formats as printf to stdout; characters written, negative on error.
int print_console(const char *format, ...);

// Appends text to the listing window, opening it first when needed. 0 when NX refused.
int MY_write_listing(const char *text);

// ---- keyed definition files -----------------------------------------------------------------

// Key search shared by every keyed reader: scans fp from its current position for key (which
// ends with its colon) as a token of at most max_token characters. 1 with fp just past the
// key, 0 at end of file.
int MY_find_config_key(FILE *fp, const char *key, int max_token);

// Value scan after a found key into value (>= max_token + 1 bytes). 1 value read; 2 the end
// marker "EOF" was read (only with eof_marker set; value unchanged); 0 end of file first.
int MY_scan_config_value(FILE *fp, char *value, int max_token, int eof_marker);

// Number after key in the file at path. An "EOF" value gives 1 and leaves *value unchanged.
int read_config_value(const char *key, double *value, const char *path);

// Text after key in the file at path (at most 256 characters, so value holds 257 bytes).
int read_config_value_char(const char *key, char value[MY_CONFIG_VALUE_BUFSIZE], const char *path);

#define EDM_DESCR_FIELD_BUFSIZE 30  // at most 29 characters

// Spark gaps (decimal texts) and electrode counts (integer texts) of config.def.
struct edm_descr {
    char elec_rough_space[EDM_DESCR_FIELD_BUFSIZE];
    char elec_middle_space[EDM_DESCR_FIELD_BUFSIZE];
    char elec_finish_space[EDM_DESCR_FIELD_BUFSIZE];
    char elec_rough_number[EDM_DESCR_FIELD_BUFSIZE];
    char elec_middle_number[EDM_DESCR_FIELD_BUFSIZE];
    char elec_finish_number[EDM_DESCR_FIELD_BUFSIZE];
};

// Fills all six fields from CONFIG_DEF_PATH; an "EOF" value leaves its field empty. On
// failure the fields read so far keep their values and the others are empty.
int read_config_edm_descr(edm_descr *descr);

// ---- lists ----------------------------------------------------------------------------------

// Deletes every record of a list linked through next_p (records made with new) and empties it.
template <typename Record>
void MY_free_list(Record **list_p) {
    if (!list_p) return;
    while (Record *record = *list_p) {
        *list_p = record->next_p;
        delete record;
    }
}

// ---- code page 936 text ---------------------------------------------------------------------

// 1 when p starts a double-byte character (a lead byte 0x81..0xFE and its trail byte).
int MY_is_double_byte(const char *p);

// Copies text into field (size bytes) whole, or cut to size - 1 bytes without splitting a
// double-byte character; field is always terminated. A null text gives "".
void MY_copy_cut(char *field, size_t size, const char *text);

// Names compared as Windows compares file names: ASCII letters folded, double-byte characters
// (whose trail byte may look like a letter) compared as they are.
int MY_same_name_nocase(const char *a, const char *b);

// Upper-cases the ASCII letters of text in place, leaving double-byte characters alone.
void MY_upper_case(char *text);

// ---- numbers ------------------------------------------------------------------------------

// value rounded half away from zero to digits decimals (0 to 3; any other count means 4).
double MY_round_value(double value, int digits);

// The rounded value as text without trailing zeros or point ("12.5", "3", "-0"); returns text.
char *MY_double_to_str(double value, int digits, char text[MY_NUMBER_TEXT_BUFSIZE]);

// 1 when a and b differ by at most tol.
int MY_equal_tol(double a, double b, double tol);

double MY_point_dist(const double p[3], const double q[3]);

// ---- names --------------------------------------------------------------------------------

// File name of a Windows path without directory and extension into name (at least as long as
// path). A path without any point shows a message and gives "". Returns name.
char *MY_divide_part_name(const char *path, char *name);

// MY_divide_part_name of the displayed part's file; "" when no part is displayed.
char *MY_ask_display_part_name(char name[MAX_FSPEC_BUFSIZE]);

// Splits name into its text prefix (at least as long as name) and trailing number ("EL-007":
// "EL-", 7, width 3). A name not ending in a digit gives itself, 0 and width 1; a name of
// digits only gives "", its value and width 0, or its length when it starts with 0.
// 0 only for a missing name.
int MY_divide_elec_name(const char *name, char *prefix, int *number, int *width);

// ---- attributes ---------------------------------------------------------------------------

#define MY_ATTR_TITLE_MAX 150  // longest attribute title the family accepts
// Buffer of MY_read_obj_string_att: NX keeps at most 132 characters in a string attribute,
// which is UF_ATTR_MAX_STRING_BUFSIZE bytes with the terminator in any encoding; a longer
// value is cut to fit.
#define MY_ATTR_VALUE_BUFSIZE UF_ATTR_MAX_STRING_BUFSIZE

// The attribute family: one real, integer or string attribute of obj_tag by title (1 to 150
// characters, case-sensitive). An empty or longer title shows the family's catalogue text
// and gives 0. Readers clear the output first and give 1 only when an attribute of their
// type exists and was read; a missing one reads as 0 / "" without a message, as does a null
// obj_tag. Writers replace an existing attribute of their type (the real writer removes
// every attribute of that title) and give 1 after assigning, also when NX refused (that is
// reported in the listing window); only the integer writer refuses a null obj_tag (a fixed
// text, result 0), the others pass it on to NX like any object.
int MY_read_obj_real_att(tag_t obj_tag, const char *title, double *value);
int MY_read_obj_int_att(tag_t obj_tag, const char *title, int *value);
int MY_read_obj_string_att(tag_t obj_tag, const char *title, char *value /* >= MY_ATTR_VALUE_BUFSIZE */);
int MY_set_obj_real_attr(tag_t obj_tag, const char *title, double value);
int MY_set_obj_int_attr(tag_t obj_tag, const char *title, int value);
int MY_set_obj_string_att(tag_t obj_tag, const char *title, const char *value);

// Reads the value of an attribute that UF_ATTR_find_attribute has just found with type (an
// UF_ATTR_* code, not UF_ATTR_any) in one UF_ATTR_read_value of any type; failed NX calls are
// reported. 1 with value->type == type (a string value is NX memory, the caller frees
// value->value.string with UF_free); 0 when NX could not read it or read a value of another
// type (another attribute of the title), nothing then to free.
int MY_read_obj_att_value(tag_t obj_tag, const char *title, int type, UF_ATTR_value_t *value);

// ---- selection ----------------------------------------------------------------------------

// Interactive selection of faces / solid bodies of the work part with prompt as the cue.
// 1 when the user accepted: *count objects in *objects (NX memory, the caller frees it with
// UF_free; NULL when *count is 0), unhighlighted again. 0 when the user went back or
// cancelled: *count 0, *objects NULL.
int MY_select_faces(tag_t **faces, int *count, const char *prompt);
int MY_select_solids(tag_t **solids, int *count, const char *prompt);

// Every solid body of the displayed part that the user can see: not blanked, on a layer
// 1..255 that is the work layer or selectable. 1 with *count bodies in *solids (NX memory,
// free with UF_free; NULL when none); 0 after a message when memory ran out.
int MY_select_screen_view_solids(tag_t **solids, int *count);

// Directory chosen in the NX file box, opened in start_dir ("D:" when empty): the returned
// file's directory (without the last backslash) into dir, result 1 (Back returns no file, so
// an empty dir); 0 when cancelled, dir then unchanged.
int MY_select_directory(const char *start_dir, char *dir /* >= MAX_FSPEC_BUFSIZE */);

#endif
