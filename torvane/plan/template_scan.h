// The template scan: the program groups and operations of the chosen CAM template part and of the
// two insert template parts, read into the three plan trees, with the working part's CAM setup
// made sure of on the way.
#ifndef TORVANE_TEMPLATE_SCAN_H_INCLUDED
#define TORVANE_TEMPLATE_SCAN_H_INCLUDED

#include "torvane/state/plan.h"

#define CAM_TEMPLATE_DIR_PREFIX "D:\\qz_conf\\cam_qz\\cam_template\\"
#define INSERT_GROUP_TEMPLATE_PART "D:\\qz_conf\\cam_qz\\insert_template\\insert_group_template.prt"
#define INSERT_OPER_TEMPLATE_PART "D:\\qz_conf\\cam_qz\\insert_template\\insert_oper_template.prt"

// Pass 0 reads template_file (in the template folder; in edit-current-part mode the displayed
// part itself, with its objects' tags) into *plan_p, pass 1 the insert group template into
// *insert_group_p, pass 2 the insert operation template into *insert_oper_p; each tree is
// replaced when its pass completes. Afterwards the part displayed at entry is displayed and the
// work part again. 1 on success; 0 after a message (the part being scanned then stays displayed,
// and the trees of earlier passes keep what was built).
int get_template_group_and_oper(const char *template_file, r_m_f_or_other **plan_p,
                                r_m_f_or_other **insert_group_p, r_m_f_or_other **insert_oper_p);

#endif
