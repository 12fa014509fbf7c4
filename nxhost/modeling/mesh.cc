// Tessellation of shapes for pictures.
#include "nxhost/modeling/mesh.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>

#include <utility>

#include "nxhost/modeling/occt_shape.h"

namespace nxhost::modeling {

Mesh triangulate(const ShapeRef &shape, double deflection, double angle) {
    Mesh mesh;
    if (!shape || shape->shape.IsNull()) return mesh;
    return guarded("mesh", "tessellation", [&] {
        // The copy leaves the shared shape without triangles: BREP text written later stays as read.
        TopoDS_Shape copy = BRepBuilderAPI_Copy(shape->shape, true, false).Shape();
        BRepMesh_IncrementalMesh mesher(copy, deflection, false, angle, false);
        // The copy has the original's structure, so MapShapes numbers its faces as the body does.
        TopTools_IndexedMapOfShape faces;
        TopExp::MapShapes(copy, TopAbs_FACE, faces);
        for (int f = 1; f <= faces.Extent(); ++f) {
            const TopoDS_Face &face = TopoDS::Face(faces(f));
            const int first = static_cast<int>(mesh.triangles.size());
            TopLoc_Location location;
            Handle(Poly_Triangulation) tri = BRep_Tool::Triangulation(face, location);
            if (tri.IsNull()) {
                mesh.faces.push_back({first, 0});
                continue;
            }
            const gp_Trsf trsf = location.Transformation();
            const int base = static_cast<int>(mesh.vertices.size());
            for (int i = 1; i <= tri->NbNodes(); ++i) {
                const gp_Pnt p = tri->Node(i).Transformed(trsf);
                mesh.vertices.push_back({p.X(), p.Y(), p.Z()});
            }
            const bool reversed = face.Orientation() == TopAbs_REVERSED;
            for (int i = 1; i <= tri->NbTriangles(); ++i) {
                int a = 0, b = 0, c = 0;
                tri->Triangle(i).Get(a, b, c);
                if (reversed) std::swap(b, c);
                mesh.triangles.push_back({base + a - 1, base + b - 1, base + c - 1});
            }
            mesh.faces.push_back({first, static_cast<int>(mesh.triangles.size()) - first});
        }
        return mesh;
    });
}

}  // namespace nxhost::modeling
