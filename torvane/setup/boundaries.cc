// Boundary data and floor planes of planar operations, and the holes of EDM base faces.
#include "torvane/setup/boundaries.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "my_func/nx_memory.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_modl.h"
#include "uf_so.h"

namespace {

int show_message(const char *tag) { return show_catalogue_text(TORVANE_LANG_FORMAT, tag); }

// The box centre across the MCS Z axis, at height along it; at the box end opposite its top when
// at_bottom is set.
void box_point(const elec_cam_data *record, int mcs_class, double height, bool at_bottom, double point[3]) {
    int axis = 2;
    double sense = 1.0;
    mcs_z_axis(mcs_class, &axis, &sense);
    for (int k = 0; k < 3; ++k) point[k] = (record->elec_box_min[k] + record->elec_box_max[k]) / 2.0;
    point[axis] = at_bottom ? (sense > 0 ? record->elec_box_min[axis] : record->elec_box_max[axis]) : sense * height;
}

// Boundary data in the MCS plane through point (absolute); NX reads the data's origin in the
// WCS, so it is handed over in WCS coordinates. 0 when the MCS matrix or the WCS cannot be had.
int fill_bound_data(const double point[3], UF_CAM_boundary_type_t type, UF_CAM_material_side_t side,
                    UF_CAMBND_boundary_data_p_t data) {
    tag_t matrix = NULL_TAG;
    const tag_t mcs = ask_group_mcs(static_mcs_tag);
    if (mcs == NULL_TAG || UF_CALL(UF_CSYS_ask_matrix_of_object(mcs, &matrix)) != 0 || matrix == NULL_TAG) return 0;
    if (UF_CALL(UF_CSYS_ask_matrix_values(matrix, data->matrix)) != 0) return 0;
    data->boundary_type = type;
    data->plane_type = 0;  // the plane at the origin given
    double absolute[3] = {point[0], point[1], point[2]};
    if (UF_CALL(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, absolute, UF_CSYS_ROOT_WCS_COORDS, data->origin)) != 0) return 0;
    data->material_side = side;
    data->ignore_holes = data->ignore_islands = data->ignore_chamfers = 0;
    data->app_data = nullptr;
    return 1;
}

// The floor plane: the MCS axes at origin, made on object.
int plane_xform(tag_t object, const double origin[3], const UF_CAMBND_boundary_data_t *data, tag_t *xform) {
    double at[3] = {origin[0], origin[1], origin[2]};
    return UF_CALL(UF_SO_create_xform_doubles(object, UF_SO_update_within_modeling, at, data->matrix, data->matrix + 3,
                                              1.0, xform)) == 0;
}

struct edge_node {
    tag_t edge = NULL_TAG;
    double start[3] = {0, 0, 0}, end[3] = {0, 0, 0};
    int vertex_count = 0;
};

struct chained_edge {
    int node;
    bool reversed;
};
using edge_chain = std::vector<chained_edge>;

bool meet(const double a[3], const double b[3]) { return MY_point_dist(a, b) <= LOOP_POINT_MATCH; }

// An edge that closes on itself (a circle, or two vertices at one point) is a loop of its own.
bool closes_alone(const edge_node &n) { return n.vertex_count < 2 || meet(n.start, n.end); }

const double *chain_start(const std::vector<edge_node> &nodes, const edge_chain &chain) {
    const chained_edge &first = chain.front();
    return first.reversed ? nodes[first.node].end : nodes[first.node].start;
}
const double *chain_end(const std::vector<edge_node> &nodes, const edge_chain &chain) {
    const chained_edge &last = chain.back();
    return last.reversed ? nodes[last.node].start : nodes[last.node].end;
}

// The edges joined end to end into chains, in edge order, at most MAX_EDM_LOOPS.
std::vector<edge_chain> chain_edges(const std::vector<edge_node> &nodes) {
    std::vector<edge_chain> chains;
    std::vector<bool> used(nodes.size(), false);
    for (std::size_t i = 0; i < nodes.size() && chains.size() < MAX_EDM_LOOPS; ++i) {
        if (used[i]) continue;
        used[i] = true;
        chains.push_back({{static_cast<int>(i), false}});
        edge_chain &chain = chains.back();
        if (closes_alone(nodes[i])) continue;
        for (bool grown = true; grown;) {
            grown = false;
            for (std::size_t j = 0; j < nodes.size() && !grown; ++j) {
                if (used[j] || closes_alone(nodes[j])) continue;
                const double *end = chain_end(nodes, chain);
                const bool forward = meet(nodes[j].start, end);
                if (!forward && !meet(nodes[j].end, end)) continue;
                chain.push_back({static_cast<int>(j), !forward});
                used[j] = grown = true;
            }
        }
    }
    return chains;
}

bool is_closed(const std::vector<edge_node> &nodes, const edge_chain &chain) {
    return chain.size() == 1 || meet(chain_end(nodes, chain), chain_start(nodes, chain));
}

// Area of a loop across the axis it is flat along: the product of the two extents left when the
// first extent below LOOP_FLAT_EXTENT is dropped (the two largest when none is that small). The
// box is that of the edges' end points, or of the edges themselves when the loop's first edge has
// no two vertices (a circle).
double loop_area(const std::vector<edge_node> &nodes, const edge_chain &chain) {
    double box[6] = {0, 0, 0, 0, 0, 0};
    bool any = false;
    auto widen = [&](const double *p) {
        for (int k = 0; k < 3; ++k) {
            box[k] = any ? std::fmin(box[k], p[k]) : p[k];
            box[k + 3] = any ? std::fmax(box[k + 3], p[k]) : p[k];
        }
        any = true;
    };
    const bool by_vertices = nodes[chain.front().node].vertex_count > 1;
    for (const chained_edge &c : chain) {
        if (by_vertices) {
            widen(nodes[c.node].start);
            widen(nodes[c.node].end);
        } else {
            double edge_box[6];
            if (UF_CALL(UF_MODL_ask_bounding_box(nodes[c.node].edge, edge_box)) != 0) continue;
            widen(edge_box);
            widen(edge_box + 3);
        }
    }
    double extent[3];
    for (int k = 0; k < 3; ++k) extent[k] = box[k + 3] - box[k];
    int dropped = -1;
    for (int k = 0; k < 3 && dropped < 0; ++k)
        if (extent[k] < LOOP_FLAT_EXTENT) dropped = k;
    if (dropped < 0) dropped = extent[0] <= extent[1] && extent[0] <= extent[2] ? 0 : extent[1] <= extent[2] ? 1 : 2;
    return extent[(dropped + 1) % 3] * extent[(dropped + 2) % 3];
}

// The face's edges with their vertices; 0 after a message when memory ran out.
int face_edge_nodes(tag_t face_tag, std::vector<edge_node> *nodes) {
    std::vector<tag_t> edges;
    MY_ask_face_edges(face_tag, &edges);
    try {
        nodes->resize(edges.size());
    } catch (const std::bad_alloc &) {
        show_message("get_edm_body_boun_01:");
        return 0;
    }
    for (std::size_t i = 0; i < edges.size(); ++i) {
        edge_node &node = (*nodes)[i];
        node.edge = edges[i];
        UF_CALL(UF_MODL_ask_edge_verts(edges[i], node.start, node.end, &node.vertex_count));
    }
    return 1;
}

enum floor_origin { FLOOR_AT_EDM_CENTER, FLOOR_AT_BOX_BOTTOM };

// The members' common steps: the boundary 0.3 above height, the floor plane at the origin kind.
int closed_bound_and_plane(const elec_cam_data *record, int mcs_class, double height, floor_origin origin,
                           UF_CAMBND_boundary_data_p_t data, tag_t *xform) {
    double boundary_point[3], floor_point[3];
    box_point(record, mcs_class, height + BOUNDARY_RAISE, false, boundary_point);
    if (origin == FLOOR_AT_EDM_CENTER)
        std::memcpy(floor_point, record->elec_edm_center, sizeof floor_point);
    else
        box_point(record, mcs_class, 0.0, true, floor_point);
    if (!fill_bound_data(boundary_point, UF_CAM_boundary_type_closed, UF_CAM_material_side_in_left, data)) return 0;
    const tag_t on = record->elec_top_face != NULL_TAG ? record->elec_top_face : record->elec_tag;
    return plane_xform(on, floor_point, data, xform);
}

// 0 after the member's message for an electrode without an EDM face.
int has_edm_face(const elec_cam_data *record, const char *message_tag) {
    if (!record->use_whole_body) return 1;
    show_message(message_tag);
    return 0;
}

}  // namespace

int create_top_face_bound_data_and_edm_plane_xform(const elec_cam_data *record, int mcs_class,
                                                   UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag) {
    if (!has_edm_face(record, "create_top_face_bound_data_and_edm_plane_xfor_01:")) return 0;
    return closed_bound_and_plane(record, mcs_class, mcs_box_top(mcs_class, record->elec_box_min, record->elec_box_max),
                                  FLOOR_AT_EDM_CENTER, bound_data_p, plane_xform_tag);
}

int create_edm_face_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                               UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag) {
    if (!has_edm_face(record, "create_edm_face_bound_data_and_plane_xfor_01:")) return 0;
    return closed_bound_and_plane(record, mcs_class, mcs_height(mcs_class, record->elec_edm_center), FLOOR_AT_BOX_BOTTOM,
                                  bound_data_p, plane_xform_tag);
}

int deepest_edm_height(int mcs_class, double *height) {
    bool any = false;
    *height = 0.0;
    for (const elec_cam_data *r = elec_cam_data_list; r; r = r->next_p) {
        if (r->use_whole_body) continue;
        const double h = mcs_height(mcs_class, r->elec_edm_center);
        *height = any ? std::fmin(*height, h) : h;
        any = true;
    }
    return any ? 1 : 0;
}

int create_max_edm_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                              UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag) {
    double lowest = 0.0;
    if (!deepest_edm_height(mcs_class, &lowest)) return 0;
    return closed_bound_and_plane(record, mcs_class, lowest, FLOOR_AT_BOX_BOTTOM, bound_data_p, plane_xform_tag);
}

int create_top_face_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                               UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag) {
    if (!has_edm_face(record, "create_top_face_bound_data_and_plane_xfor_01:")) return 0;
    return closed_bound_and_plane(record, mcs_class, mcs_box_top(mcs_class, record->elec_box_min, record->elec_box_max),
                                  FLOOR_AT_BOX_BOTTOM, bound_data_p, plane_xform_tag);
}

int create_line_bound_data_and_plane_xform(const elec_cam_data *, int, tag_t line_tag,
                                           UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag) {
    UF_CURVE_line_t line;
    if (UF_CALL(UF_CURVE_ask_line_data(line_tag, &line)) != 0) return 0;
    if (!fill_bound_data(line.start_point, UF_CAM_boundary_type_open, UF_CAM_material_side_out_right, bound_data_p))
        return 0;
    return plane_xform(line_tag, line.start_point, bound_data_p, plane_xform_tag);
}

int get_edm_body_boundary(tag_t face_tag, int *loop_count, edm_loop loops[MAX_EDM_LOOPS]) {
    *loop_count = 0;
    std::vector<edge_node> nodes;
    if (!face_edge_nodes(face_tag, &nodes)) return 0;
    const std::vector<edge_chain> chains = chain_edges(nodes);
    std::size_t outer = 0;
    double largest = -1.0;
    for (std::size_t i = 0; i < chains.size(); ++i) {
        const double area = loop_area(nodes, chains[i]);
        if (area > largest) {
            largest = area;
            outer = i;
        }
    }
    for (std::size_t i = 0; i < chains.size() && *loop_count < MAX_EDM_LOOPS; ++i) {
        if (i == outer || !is_closed(nodes, chains[i])) continue;
        nx_array<tag_t> edges;
        if (!edges.allocate(static_cast<int>(chains[i].size()))) {
            for (int k = 0; k < *loop_count; ++k) UF_free(loops[k].edges);
            *loop_count = 0;
            show_message("get_edm_body_boun_02:");
            return 0;
        }
        for (std::size_t k = 0; k < chains[i].size(); ++k) edges[static_cast<int>(k)] = nodes[chains[i][k].node].edge;
        loops[*loop_count].count = edges.count();
        loops[(*loop_count)++].edges = edges.release();
    }
    return 1;
}

edm_loop_set::~edm_loop_set() {
    for (int i = 0; i < count; ++i)
        if (loops[i].edges) UF_free(loops[i].edges);
}
