// Fail messages of the CAM error codes.
#include "nxhost/cam/cam_errors.h"

#include "nxhost/core/session.h"

namespace nxhost::cam {
namespace {

const struct {
    int code;
    const char *text;
} kMessages[] = {
    {kNotInitialized, "The CAM session has not been initialized"},
    {kNoSetup, "The part has no CAM setup"},
    {kSetupExists, "The part already has a CAM setup"},
    {kUnknownType, "No CAM configuration type of this name"},
    {kUnknownTemplate, "The CAM configuration type has no template of this name"},
    {kLibraryUnreadable, "The CAM library part cannot be read"},
    {kNotAccepted, "The group cannot hold this object"},
    {kInvalidIndex, "The object has no parameter of this index"},
    {kWrongValueKind, "The parameter holds another kind of value"},
    {kReadOnly, "The parameter cannot be changed"},
    {kNoCutLevels, "The operation has no cut levels"},
    {kSingleRange, "Levels cannot be added to or removed from a single range"},
    {kNoSuchLevel, "There is no cut level of this index"},
    {kBadEntity, "The entity cannot be used as this CAM geometry"},
    {kNotPlanar, "The face is not planar"},
    {kNoSuchSection, "The holder has no section of this index"},
    {kNameInUse, "Another CAM object already has this name"},
    {kNotDeletable, "This CAM object cannot be deleted"},
    {kNoClearPlane, "The object has no clearance plane"},
    {kNoPath, "The operation has no generated tool path"},
    {kNoSuchItem, "The CAM geometry item does not exist"},
    {kBadValue, "The value is not valid for this parameter"},
    {kConfigUnreadable, "The CAM configuration cannot be read"},
    {kNoAppData, "Every item needs its application data"},
    {kNotConnected, "The boundary members are not connected end to end"},
    {kBadPlane, "The boundary plane matrix is not orthonormal"},
    {kNeedsCutter, "The operation has no cutter"},
    {kNeedsPart, "The operation has no part geometry"},
    {kNeedsBlank, "The operation has no blank geometry"},
    {kNeedsCutLevels, "The operation has no cut levels"},
    {kNeedsBoundary, "The operation has no boundaries"},
    {kNeedsFloor, "The operation has no floor plane"},
    {kNeedsCutArea, "The operation has no cut area and no part geometry"},
    {kNeedsText, "The operation has no text geometry"},
    {kNotAnOperation, "The group holds no operation"},
};

bool register_all() {
    for (const auto &m : kMessages) register_fail_message(m.code, m.text);
    return true;
}

const bool registered = register_all();

}  // namespace
}  // namespace nxhost::cam
