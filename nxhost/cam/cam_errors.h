// Error codes of the CAM calls of the stand-in; each has a fail message (UF_get_fail_message).
#pragma once

namespace nxhost::cam {

constexpr int kNotInitialized = 1105040;    // CAM calls before UF_CAM_init_session
constexpr int kNoSetup = 1105041;
constexpr int kSetupExists = 1105042;
constexpr int kUnknownType = 1105043;
constexpr int kUnknownTemplate = 1105044;
constexpr int kLibraryUnreadable = 1105045;
constexpr int kNotAccepted = 1105046;
constexpr int kInvalidIndex = 1105047;      // the object carries no parameter of that index
constexpr int kWrongValueKind = 1105048;
constexpr int kReadOnly = 1105049;
constexpr int kNoCutLevels = 1105050;
constexpr int kSingleRange = 1105051;
constexpr int kNoSuchLevel = 1105052;
constexpr int kBadEntity = 1105053;
constexpr int kNotPlanar = 1105054;
constexpr int kNoSuchSection = 1105055;
constexpr int kNameInUse = 1105056;
constexpr int kNotDeletable = 1105057;
constexpr int kNoClearPlane = 1105058;
constexpr int kNoPath = 1105059;
constexpr int kNoSuchItem = 1105060;
constexpr int kBadValue = 1105061;
constexpr int kConfigUnreadable = 1105062;
constexpr int kNoAppData = 1105063;         // an item given without its application data record
constexpr int kNotConnected = 1105064;      // boundary members that do not join end to end
constexpr int kBadPlane = 1105065;          // a boundary plane matrix that is no frame
// What generating a tool path needs.
constexpr int kNeedsCutter = 1105070;
constexpr int kNeedsPart = 1105071;
constexpr int kNeedsBlank = 1105072;
constexpr int kNeedsCutLevels = 1105073;
constexpr int kNeedsBoundary = 1105074;
constexpr int kNeedsFloor = 1105075;
constexpr int kNeedsCutArea = 1105076;
constexpr int kNeedsText = 1105077;
constexpr int kNotAnOperation = 1105078;

}  // namespace nxhost::cam
