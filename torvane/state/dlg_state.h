// Settings of the main dialog that steer the calculation. Every step reads them here, never
// from the dialog; the dialog stores its items into the record before it acts. The record is
// byte for byte the image of the state file, which keeps it from run to run.
#ifndef TORVANE_DLG_STATE_H_INCLUDED
#define TORVANE_DLG_STATE_H_INCLUDED

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#define DLG_STATE_PATH "D:\\qz_conf\\temp\\torvane.dat"
#define DLG_STATE_SIZE 1208

// "Error writing the defaults!" of both dialogs' state files, built in because it must show
// even when no catalogue can be read (code page 936).
#define STATE_WRITE_FAILED_TEXT "\xd0\xb4\xc4\xac\xc8\xcf\xd6\xb5\xb4\xed\xce\xf3!"

// Fields are named after the dialog items they keep; native little-endian, no padding.
struct dlg_state {
    int32_t radio_1;    // electrode analysis: 0 full, other simple
    int32_t radio_2;    // MCS: 0 absolute, 1 current WCS, 2 from the electrodes
    int32_t radio_3;    // MCS origin
    int32_t toggle_4;   // rough class on
    int32_t toggle_6;   // middle class on
    int32_t toggle_8;   // finish class on
    int32_t toggle_10;  // other class on
    int32_t toggle_15;  // replay tool paths of selected operations
    int32_t toggle_13;  // program groups shown collapsed
    int32_t toggle_35;  // per-electrode workpieces
    int32_t int_34;     // layer of the check blocks
    int32_t option_28;  // tool library (index)
    int32_t toggle_29;  // cutting data from the tool library
    int32_t toggle_34;  // keep the stored classes instead of the electrodes' ones
    int32_t toggle_38;  // untyped cavity operations use the bottom cavity builder
    int32_t toggle_39;  // name the programs when applying
    int32_t toggle_32;  // generate tool paths
    int32_t toggle_33;
    int32_t radio_60;   // how WIDE_S_59 is filled
    int32_t toggle_57;  // keep the local copy of a posted part
    double real_5;      // rough spark gap
    double real_7;      // middle spark gap
    double real_9;      // finish spark gap
    double real_11;     // other class value
    double real_23;     // clearance distance
    double real_24;     // block blank offsets
    double real_25;
    double real_26;
    double real_35;       // allowance of rough operations
    double real_36;       // allowance of middle operations
    char str_10[31];      // start name of the programs
    char wide_s_32[500];  // task directory of the background post
    char wide_s_58[256];  // path prefix recorded for a posted part
    char wide_s_59[261];  // a part path
};

static_assert(sizeof(dlg_state) == DLG_STATE_SIZE, "the state file holds exactly 1208 bytes");
static_assert(offsetof(dlg_state, radio_1) == 0 && offsetof(dlg_state, radio_2) == 4 &&
                  offsetof(dlg_state, radio_3) == 8 && offsetof(dlg_state, toggle_4) == 12 &&
                  offsetof(dlg_state, toggle_6) == 16 && offsetof(dlg_state, toggle_8) == 20 &&
                  offsetof(dlg_state, toggle_10) == 24 && offsetof(dlg_state, toggle_15) == 28 &&
                  offsetof(dlg_state, toggle_13) == 32 && offsetof(dlg_state, toggle_35) == 36 &&
                  offsetof(dlg_state, int_34) == 40 && offsetof(dlg_state, option_28) == 44 &&
                  offsetof(dlg_state, toggle_29) == 48 && offsetof(dlg_state, toggle_34) == 52 &&
                  offsetof(dlg_state, toggle_38) == 56 && offsetof(dlg_state, toggle_39) == 60 &&
                  offsetof(dlg_state, toggle_32) == 64 && offsetof(dlg_state, toggle_33) == 68 &&
                  offsetof(dlg_state, radio_60) == 72 && offsetof(dlg_state, toggle_57) == 76,
              "integer fields of the state file");
static_assert(offsetof(dlg_state, real_5) == 80 && offsetof(dlg_state, real_7) == 88 &&
                  offsetof(dlg_state, real_9) == 96 && offsetof(dlg_state, real_11) == 104 &&
                  offsetof(dlg_state, real_23) == 112 && offsetof(dlg_state, real_24) == 120 &&
                  offsetof(dlg_state, real_25) == 128 && offsetof(dlg_state, real_26) == 136 &&
                  offsetof(dlg_state, real_35) == 144 && offsetof(dlg_state, real_36) == 152,
              "real fields of the state file");
static_assert(offsetof(dlg_state, str_10) == 160 && offsetof(dlg_state, wide_s_32) == 191 &&
                  offsetof(dlg_state, wide_s_58) == 691 && offsetof(dlg_state, wide_s_59) == 947,
              "text fields of the state file");

extern dlg_state static_dlg_state;

// Defaults of a first run: empty texts, WIDE_S_59 the displayed part's path.
void default_dlg_state(dlg_state *state);

// 1 when the class of that kind (RMF_ROUGH ... RMF_OTHER, any other kind counts as other) is
// switched on in static_dlg_state.
int class_switched_on(int rmf_kind);

// Fills static_dlg_state from the state file; the defaults when the file is missing or
// shorter than the record. 1 when read from the file.
int load_dlg_state(void);

// Writes static_dlg_state to the state file. 0 when it could not be written (an incomplete
// write is also shown in a message box).
int save_dlg_state(void);

// Asks every item of the record from the dialog and stores it. 0 when an item could not be
// asked (that field keeps its value; the NX call report shows why).
int store_dlg_state(int dialog_id);

// The reverse for the named items of the record: each is set in the dialog from its field. 0 when
// an item could not be set (reported) or is not one of the record.
int show_dlg_state_items(int dialog_id, std::initializer_list<const char *> item_ids);

#endif
