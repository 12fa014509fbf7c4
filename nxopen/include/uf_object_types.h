/* Object type and subtype numbers, as UF_OBJ_ask_type_and_subtype reports
 * them and as selection masks and object cycling take them. */
#ifndef UF_OBJECT_TYPES_H_INCLUDED
#define UF_OBJECT_TYPES_H_INCLUDED

#include "uf_defs.h"

/* Matches every subtype in a mask. */
#define UF_all_subtype (-1)

/* Geometry and annotation. */
#define UF_point_type 2
#define UF_point_subtype 0
#define UF_line_type 3
#define UF_line_normal_subtype 0
#define UF_part_type 4 /* unverified */
#define UF_circle_type 5
#define UF_conic_type 6
#define UF_spline_type 9
#define UF_part_attribute_type 11
#define UF_group_type 15
#define UF_drafting_entity_type 25
#define UF_draft_note_subtype 1
#define UF_draft_label_subtype 2
#define UF_font_table_type 27
#define UF_coordinate_system_type 45
#define UF_csys_normal_subtype 0
#define UF_csys_wcs_subtype 1
#define UF_plane_type 46
#define UF_matrix_type 55
#define UF_view_type 60
#define UF_component_type 63
#define UF_occ_instance_type 68
#define UF_datum_plane_type 197
#define UF_feature_type 205

/* Solids: bodies, faces and edges share one type and differ by subtype. */
#define UF_solid_type 70
#define UF_solid_body_subtype 0
#define UF_solid_swept_body_subtype 1
#define UF_solid_face_subtype 2
#define UF_solid_edge_subtype 3

/* CAM objects. */
#define UF_machining_operation_type 100
#define UF_machining_path_type 101
#define UF_machining_geometry_grp_type 105
#define UF_machining_mach_tool_grp_type 106
#define UF_machining_tool_type 109
#define UF_machining_geom_type 111
#define UF_machining_null_grp_type 112
#define UF_machining_boundary_type 118
#define UF_machining_task_type 121
#define UF_machining_setup_type 122
#define UF_machining_mthd_type 128

/* Subtypes of UF_machining_operation_type. */
#define UF_mach_pocket_subtype 110             /* planar mill (pocket, profile) */
#define UF_mach_surface_contour_subtype 210    /* fixed-axis contour */
#define UF_mach_vasc_subtype 211               /* variable-axis contour */
#define UF_mach_cavity_milling_subtype 260
#define UF_mach_face_milling_subtype 261
#define UF_mach_volumn_milling_subtype 262
#define UF_mach_zlevel_milling_subtype 263
#define UF_mach_fb_hole_milling_subtype 264
#define UF_mach_plunge_milling_subtype 265     /* plunge milling, not Z-level */
#define UF_mach_vazl_milling_subtype 266
#define UF_mach_hole_making_subtype 600
#define UF_mach_wedm_subtype 700
#define UF_mach_mill_ud_subtype 800
#define UF_mach_gmc_subtype 900
#define UF_mach_mill_mc_subtype 1100
#define UF_mach_hole_drilling_subtype 3000

/* Subtypes of UF_machining_geometry_grp_type. */
#define UF_mill_geom_featr_subtype 10          /* WORKPIECE */
#define UF_mill_bnd_featr_subtype 20
#define UF_mill_orient_subtype 30              /* MCS */
#define UF_mill_volume_featr_subtype 35
#define UF_drill_geom_featr_subtype 130
#define UF_fbm_geom_subtype 160
#define UF_mill_text_featr_subtype 170

/* Subtypes of UF_machining_tool_type. */
#define UF_mach_tool_subtype 0
#define UF_mach_tool_assm_subtype 2

/* Subtypes of UF_machining_task_type; program groups are believed to report
 * 121/160 (unverified). */
#define UF_mach_order_task_subtype 160         /* operation order */
#define UF_mach_clsf_task_subtype 161          /* unverified: name */
#define UF_mach_optim_task_subtype 162         /* unverified: name */
#define UF_mach_mergepath_task_subtype 163     /* unverified: name */

#define UF_mach_setup_subtype 0

/* Subtypes of UF_machining_mthd_type. */
#define UF_mach_mthd_subtype 0
#define UF_mach_mill_mthd_subtype 10
#define UF_mach_lathe_mthd_subtype 20          /* unverified: name */
#define UF_mach_drill_mthd_subtype 30          /* unverified: name */
#define UF_mach_wedm_mthd_subtype 40           /* unverified: name */

#endif
