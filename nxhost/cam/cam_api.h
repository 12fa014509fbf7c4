// Shared steps of the CAM API entries of the stand-in.
#pragma once

#include <string>

#include "nxhost/cam/cam_model.h"

namespace nxhost::cam {

// Tells the person running the host why a call failed ("nxhost: CALL: why") and returns code.
int refuse(const char *call, int code, const std::string &why);

// kNotInitialized (told) when the CAM session has not been started; else 0.
int require_session(const char *call);

// The work part's setup into *setup; kNoPart or kNoSetup (told) when there is none.
int require_setup(const char *call, tag_t *setup);

// Marks the object's part as changed.
void touch(tag_t tag);
// The same for a change of an operation's or group's geometry or parameters: the tool path of the
// operation, or of every operation below the group or cutter (which cut with what it holds), must
// then be generated again.
void changed(tag_t tag);

// Edges of bodies and curves (lines, arcs, conics, splines).
bool is_curve_entity(const Object &obj);

// kNoAppData (a misuse line naming the call and the index) unless records holds count records.
int require_app_data(const char *call, int count, const void *const *records);

// Application data with the values whose has_ flag is off cleared: NX keeps only what is given.
UF_CAMGEOM_app_data_t only_given(const UF_CAMGEOM_app_data_t &data);
UF_CAMBND_app_data_t only_given(const UF_CAMBND_app_data_t &data);

// A C text argument; "" for NULL.
std::string text_of(const char *text);

// Creates an object of a template class of a type in the work part's setup (the create calls of
// groups, cutters and operations). 0 with *made, or an error code.
int create_from_template(const char *call, const char *type_name, const char *subtype_name, int cls, tag_t *made);

}  // namespace nxhost::cam
