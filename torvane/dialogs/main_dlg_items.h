// Item ids of the main dialog (dialog file torvane_dlg.dlg). The settings they keep and their
// roles are those of the settings record (dlg_state.h).
#ifndef TORVANE_MAIN_DLG_ITEMS_H_INCLUDED
#define TORVANE_MAIN_DLG_ITEMS_H_INCLUDED

#define QZ_CAM_DIALOG_FILE "torvane_dlg.dlg"

#define QZ_CAM_RADIO_1 "RADIO_1"      // electrode analysis
#define QZ_CAM_RADIO_2 "RADIO_2"      // MCS
#define QZ_CAM_RADIO_3 "RADIO_3"      // MCS origin
#define QZ_CAM_ACTION_3 "ACTION_3"    // calculate
#define QZ_CAM_TOGGLE_4 "TOGGLE_4"    // rough class on ...
#define QZ_CAM_REAL_5 "REAL_5"        // ... and its spark gap
#define QZ_CAM_TOGGLE_6 "TOGGLE_6"    // middle
#define QZ_CAM_REAL_7 "REAL_7"
#define QZ_CAM_TOGGLE_8 "TOGGLE_8"    // finish
#define QZ_CAM_REAL_9 "REAL_9"
#define QZ_CAM_TOGGLE_10 "TOGGLE_10"  // other
#define QZ_CAM_REAL_11 "REAL_11"
#define QZ_CAM_STR_10 "STR_10"        // start name of the programs
#define QZ_CAM_OPTION_13 "OPTION_13"  // class and name marks of the selected lines
#define QZ_CAM_TOGGLE_13 "TOGGLE_13"  // program groups shown collapsed
#define QZ_CAM_MULTI_LIST_14 "MULTI_LIST_14"  // the plan
#define QZ_CAM_TOGGLE_15 "TOGGLE_15"  // replay tool paths of selected operations
#define QZ_CAM_OPTION_16 "OPTION_16"  // cutters of the tool library, then NONE
#define QZ_CAM_OPTION_17 "OPTION_17"  // insert group templates
#define QZ_CAM_OPTION_18 "OPTION_18"  // insert operation templates
#define QZ_CAM_BLO_19 "BLO_19"        // list and cutter actions
#define QZ_CAM_BLO_20 "BLO_20"        // faces and points of the selected operations
#define QZ_CAM_REAL_21 "REAL_21"      // cutter diameter filter of OPTION_16
#define QZ_CAM_REAL_23 "REAL_23"
#define QZ_CAM_REAL_24 "REAL_24"
#define QZ_CAM_REAL_25 "REAL_25"
#define QZ_CAM_REAL_26 "REAL_26"
#define QZ_CAM_OPTION_28 "OPTION_28"  // tool library
#define QZ_CAM_TOGGLE_29 "TOGGLE_29"
#define QZ_CAM_MTXT_31 "MTXT_31"      // description of the chosen template
#define QZ_CAM_TOGGLE_32 "TOGGLE_32"
#define QZ_CAM_WIDE_S_32 "WIDE_S_32"  // task directory of the background post
#define QZ_CAM_BITMAP_33 "BITMAP_33"  // picture of the chosen template
#define QZ_CAM_TOGGLE_33 "TOGGLE_33"
#define QZ_CAM_TOGGLE_34 "TOGGLE_34"  // keep the stored class switches
#define QZ_CAM_INT_34 "INT_34"        // layer of the check blocks
#define QZ_CAM_TOGGLE_35 "TOGGLE_35"  // per-electrode workpieces
#define QZ_CAM_REAL_35 "REAL_35"      // allowance of rough groups
#define QZ_CAM_REAL_36 "REAL_36"      // allowance of middle groups
#define QZ_CAM_STR_38 "STR_38"        // number of electrodes
#define QZ_CAM_TOGGLE_38 "TOGGLE_38"
#define QZ_CAM_TOGGLE_39 "TOGGLE_39"  // name the programs
#define QZ_CAM_ACTION_57 "ACTION_57"  // choose the directory of WIDE_S_32
#define QZ_CAM_TOGGLE_57 "TOGGLE_57"
#define QZ_CAM_WIDE_S_58 "WIDE_S_58"
#define QZ_CAM_WIDE_S_59 "WIDE_S_59"
#define QZ_CAM_BLO_59 "BLO_59"        // report, background post
#define QZ_CAM_ACTION_60 "ACTION_60"  // choose the directory of WIDE_S_59
#define QZ_CAM_RADIO_60 "RADIO_60"
#define QZ_CAM_BLO_68 "BLO_68"        // part files
#define QZ_CAM_MULTI_LIST_70 "MULTI_LIST_70"  // the part-file list

// The class switch and class value of each kind (rough, middle, finish, other).
extern const char *const QZ_CAM_CLASS_TOGGLES[4];
extern const char *const QZ_CAM_CLASS_REALS[4];

#endif
