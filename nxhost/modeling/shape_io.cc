// Shapes to and from files: OCCT BREP text and STEP.
#include "nxhost/modeling/occt_shape.h"

#include <BRepBuilderAPI_Transform.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Controller.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <gp_Trsf.hxx>

#include <fstream>
#include <iostream>
#include <sstream>

#if defined(__SANITIZE_ADDRESS__)
#define NXHOST_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NXHOST_LEAK_CHECKED 1
#endif
#endif
#ifdef NXHOST_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

namespace nxhost::modeling {
namespace {

// OCCT readers report to std::cout; the runner's stdout is the transcript, so keep it out of there.
class QuietCout {
public:
    QuietCout() : old_(std::cout.rdbuf(sink_.rdbuf())) {}
    ~QuietCout() { std::cout.rdbuf(old_); }
    QuietCout(const QuietCout &) = delete;
    QuietCout &operator=(const QuietCout &) = delete;
    // What OCCT said, first line only.
    std::string said() const {
        std::string text = sink_.str();
        std::size_t end = text.find('\n');
        return end == std::string::npos ? text : text.substr(0, end);
    }

private:
    std::ostringstream sink_;
    std::streambuf *old_;
};

TopoDS_Shape read_brep_stream(std::istream &in, const std::string &what) {
    // A truncated or foreign text makes OCCT's reader loop on a failed stream; with exceptions
    // on, the first failed read ends it instead.
    in.exceptions(std::ios::failbit | std::ios::badbit);
    TopoDS_Shape shape;
    BRep_Builder builder;
    QuietCout quiet;
    try {
        BRepTools::Read(shape, in, builder);
    } catch (const std::ios_base::failure &) {
        throw ShapeError(what + ": the BREP text is incomplete or damaged");
    } catch (const Standard_Failure &e) {
        throw ShapeError(what + ": the BREP text is damaged (" + e.GetMessageString() + ")");
    }
    if (shape.IsNull()) {
        std::string said = quiet.said();
        throw ShapeError(what + ": the BREP text holds no shape" + (said.empty() ? "" : " (" + said + ")"));
    }
    return shape;
}

void init_step_translator() {
#ifdef NXHOST_LEAK_CHECKED
    // OCCT registers the translator's parameter tables once per process and never frees them;
    // that is no leak of ours for the leak checker to report.
    __lsan::ScopedDisabler one_time_registration;
#endif
    STEPControl_Controller::Init();
}

bool looks_like_brep(const std::string &text) { return text.find("CASCADE Topology V") != std::string::npos; }

}  // namespace

std::string shape_to_brep_text(const ShapeRef &shape) {
    std::ostringstream out;
    // Without triangulations: they are only a display cache and would dominate the file.
    BRepTools::Write(shape->shape, out, Standard_False, Standard_False, TopTools_FormatVersion_VERSION_1);
    return out.str();
}

ShapeRef shape_from_brep_text(const std::string &text, const std::string &what) {
    if (!looks_like_brep(text)) throw ShapeError(what + ": not OCCT BREP text (no \"CASCADE Topology\" header)");
    std::istringstream in(text);
    return make_shape(read_brep_stream(in, what));
}

TopoDS_Shape read_brep_file(const std::string &host_path, const std::string &what) {
    std::ifstream in(host_path, std::ios::binary);
    if (!in) throw ShapeError(what + ": cannot open the BREP file " + host_path);
    std::ostringstream text;
    text << in.rdbuf();
    if (!looks_like_brep(text.str())) throw ShapeError(what + ": not an OCCT BREP file (no \"CASCADE Topology\" header)");
    std::istringstream stream(text.str());
    return read_brep_stream(stream, what);
}

TopoDS_Shape read_step_file(const std::string &host_path, const std::string &units, const std::string &what) {
    {
        std::ifstream probe(host_path, std::ios::binary);
        if (!probe) throw ShapeError(what + ": cannot open the STEP file " + host_path);
    }
    QuietCout quiet;
    TopoDS_Shape shape;
    try {
        init_step_translator();
        // The reader converts every length to this unit, whatever the file was written in.
        Interface_Static::SetCVal("xstep.cascade.unit", units == "m" ? "M" : "MM");
        STEPControl_Reader reader;
        if (reader.ReadFile(host_path.c_str()) != IFSelect_RetDone)
            throw ShapeError(what + ": not a readable STEP file");
        reader.TransferRoots();
        shape = reader.OneShape();
    } catch (const Standard_Failure &e) {
        throw ShapeError(what + ": the STEP file could not be translated (" + e.GetMessageString() + ")");
    }
    if (shape.IsNull() || split_bodies(shape).empty()) throw ShapeError(what + ": the STEP file holds no solid");
    return shape;
}

std::vector<TopoDS_Shape> split_bodies(const TopoDS_Shape &shape) {
    std::vector<TopoDS_Shape> bodies;
    if (shape.IsNull()) return bodies;
    for (TopExp_Explorer ex(shape, TopAbs_SOLID); ex.More(); ex.Next()) bodies.push_back(ex.Current());
    if (!bodies.empty()) return bodies;
    for (TopExp_Explorer ex(shape, TopAbs_SHELL); ex.More(); ex.Next()) bodies.push_back(ex.Current());
    for (TopExp_Explorer ex(shape, TopAbs_FACE, TopAbs_SHELL); ex.More(); ex.Next()) bodies.push_back(ex.Current());
    return bodies;
}

TopoDS_Shape scaled(const TopoDS_Shape &shape, double factor) {
    if (factor == 1.0) return shape;
    gp_Trsf trsf;
    trsf.SetScale(gp_Pnt(0, 0, 0), factor);
    return BRepBuilderAPI_Transform(shape, trsf, Standard_True).Shape();
}

}  // namespace nxhost::modeling
