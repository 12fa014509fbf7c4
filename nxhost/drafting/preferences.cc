// The drafting preferences of the work part: UF_DRF_ask/set_preferences (arrays) and
// UF_DRF_ask/set_lettering_preferences (records), two views of one setting.
#include <cmath>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_drf.h"

namespace nxhost::drafting {
namespace {

constexpr int kMpiCount = 100;
constexpr int kMprCount = 70;
constexpr std::size_t kSymbolChars = 26;

// Where each kind of text (TextKind order) keeps its colour, font and density (three mpi entries
// from this one) and its size (mpr).
constexpr int kMpiOf[4] = {78, 84, 81, 87};
constexpr int kMprOf[4] = {32, 40, 36, 44};
constexpr int kCharacterFontMpi = 26;
constexpr int kCharacterSizeMpr = 4;

const bool registered = register_fail_message(kBadPreference, "The drafting preference value is not valid");

bool modelled_mpi(int i) {
    return i == kCharacterFontMpi || (i >= kMpiOf[kDimensionText] && i < kMpiOf[kGeneralText] + 3);
}

bool modelled_mpr(int i) {
    if (i == kCharacterSizeMpr) return true;
    for (int m : kMprOf)
        if (i == m) return true;
    return false;
}

bool valid_width(int w) { return (w >= 1 && w <= 3) || (w >= 6 && w <= 14); }

}  // namespace

std::string preference_fault(const Preferences &p, const FontTablePayload &table) {
    const int fonts = static_cast<int>(table.fonts.size());
    auto bad_font = [&](int f) { return f < 1 || f > fonts; };
    auto bad_size = [](double v) { return !std::isfinite(v) || v <= 0.0; };
    auto bad_factor = [](double v) { return !std::isfinite(v) || v < 0.0; };
    static const char *const kNames[4] = {"dimension_text", "appended_text", "tolerance_text", "general_text"};
    if (p.align_position < 1 || p.align_position > 9) return "align_position must be 1 to 9";
    if (p.horiz_text_just < 1 || p.horiz_text_just > 3) return "horiz_text_just must be 1 to 3";
    if (bad_size(p.gdt_frame_height_factor)) return "gdt_frame_height_factor must be above 0";
    if (!std::isfinite(p.angle)) return "angle must be a number";
    for (int k = 0; k < 4; ++k) {
        const Lettering &l = p.text[static_cast<std::size_t>(k)];
        const std::string name = kNames[k];
        if (bad_size(l.size)) return name + ".size must be above 0";
        if (bad_size(l.aspect_ratio)) return name + ".aspect_ratio must be above 0";
        if (bad_factor(l.character_space_factor) || bad_factor(l.line_space_factor))
            return name + ": the space factors must not be negative";
        if (l.color < 0 || l.color > 216) return name + ".cfw.color must be 0 to 216";
        if (bad_font(l.font)) return name + ".cfw.font " + std::to_string(l.font) + " is no font of the part's font table";
        if (!valid_width(l.width)) return name + ".cfw.width must be 1 to 3 or 6 to 14";
    }
    for (double f : p.space_factors)
        if (bad_factor(f)) return "the dimension space factors must not be negative";
    if (bad_font(p.character_font))
        return "mpi[26] " + std::to_string(p.character_font) + " is no font of the part's font table";
    if (bad_size(p.character_size)) return "mpr[4] must be above 0";
    if (p.radius_symbol.size() > kSymbolChars || p.diameter_symbol.size() > kSymbolChars)
        return "the radius and diameter symbols have at most 26 characters";
    return "";
}

namespace {

// The work part's table, or the code to return.
int work_table(FontTablePayload **table) {
    *table = font_table_payload(work_part());
    return *table ? 0 : kNoPart;
}

int refuse(const char *call, const std::string &why) {
    misuse(call, why);
    return kBadPreference;
}

void to_record(const Lettering &l, UF_DRF_lettering_t *out) {
    out->size = l.size;
    out->character_space_factor = l.character_space_factor;
    out->aspect_ratio = l.aspect_ratio;
    out->line_space_factor = l.line_space_factor;
    out->cfw.color = l.color;
    out->cfw.font = l.font;
    out->cfw.width = static_cast<UF_DRF_line_width_t>(l.width);
}

Lettering from_record(const UF_DRF_lettering_t &in) {
    return {in.size, in.character_space_factor, in.aspect_ratio, in.line_space_factor,
            in.cfw.color, in.cfw.font, static_cast<int>(in.cfw.width)};
}

}  // namespace

Preferences default_preferences(const std::string &units) {
    Preferences p;
    const double size = units == "m" ? 0.0035 : 3.5;
    for (Lettering &l : p.text) l.size = size;
    p.character_size = size;
    return p;
}

}  // namespace nxhost::drafting

using namespace nxhost;
using namespace nxhost::drafting;

extern "C" int UF_DRF_ask_preferences(int mpi[100], double mpr[70], char radius_value[27], char diameter_value[27]) {
    NXHOST_ENTER("UF_DRF_ask_preferences");
    if (!mpi || !mpr || !radius_value || !diameter_value) return kBadArgument;
    FontTablePayload *table = nullptr;
    if (int rc = work_table(&table)) return rc;
    const Preferences &p = table->preferences;
    std::memcpy(mpi, p.other_mpi.data(), sizeof(int) * kMpiCount);
    std::memcpy(mpr, p.other_mpr.data(), sizeof(double) * kMprCount);
    for (int k = 0; k < 4; ++k) {
        const Lettering &l = p.text[static_cast<std::size_t>(k)];
        mpi[kMpiOf[k]] = l.color;
        mpi[kMpiOf[k] + 1] = l.font;
        mpi[kMpiOf[k] + 2] = l.width;
        mpr[kMprOf[k]] = l.size;
    }
    mpi[kCharacterFontMpi] = p.character_font;
    mpr[kCharacterSizeMpr] = p.character_size;
    std::strcpy(radius_value, p.radius_symbol.c_str());
    std::strcpy(diameter_value, p.diameter_symbol.c_str());
    return 0;
}

extern "C" int UF_DRF_set_preferences(int mpi[100], double mpr[70], const char *radius_val, const char *diameter_val) {
    NXHOST_ENTER("UF_DRF_set_preferences");
    if (!mpi || !mpr || !radius_val || !diameter_val) return kBadArgument;
    FontTablePayload *table = nullptr;
    if (int rc = work_table(&table)) return rc;
    Preferences p = table->preferences;
    for (int i = 0; i < kMpiCount; ++i)
        if (!modelled_mpi(i) && mpi[i] != p.other_mpi[static_cast<std::size_t>(i)])
            return refuse("UF_DRF_set_preferences", "mpi[" + std::to_string(i) + "] is not modelled and cannot change");
    for (int i = 0; i < kMprCount; ++i)
        if (!modelled_mpr(i) && mpr[i] != p.other_mpr[static_cast<std::size_t>(i)])
            return refuse("UF_DRF_set_preferences", "mpr[" + std::to_string(i) + "] is not modelled and cannot change");
    for (int k = 0; k < 4; ++k) {
        Lettering &l = p.text[static_cast<std::size_t>(k)];
        l.color = mpi[kMpiOf[k]];
        l.font = mpi[kMpiOf[k] + 1];
        l.width = mpi[kMpiOf[k] + 2];
        l.size = mpr[kMprOf[k]];
    }
    p.character_font = mpi[kCharacterFontMpi];
    p.character_size = mpr[kCharacterSizeMpr];
    p.radius_symbol = radius_val;
    p.diameter_symbol = diameter_val;
    const std::string why = preference_fault(p, *table);
    if (!why.empty()) return refuse("UF_DRF_set_preferences", why);
    table->preferences = p;
    store().mark_modified(work_part());
    return 0;
}

extern "C" int UF_DRF_ask_lettering_preferences(UF_DRF_lettering_preferences_t *lettering_preferences) {
    NXHOST_ENTER("UF_DRF_ask_lettering_preferences");
    if (!lettering_preferences) return kBadArgument;
    FontTablePayload *table = nullptr;
    if (int rc = work_table(&table)) return rc;
    const Preferences &p = table->preferences;
    UF_DRF_lettering_preferences_t &out = *lettering_preferences;
    out.align_position = static_cast<UF_DRF_align_position_t>(p.align_position);
    out.horiz_text_just = static_cast<UF_DRF_text_just_t>(p.horiz_text_just);
    out.gdt_frame_height_factor = p.gdt_frame_height_factor;
    out.angle = p.angle;
    to_record(p.text[kDimensionText], &out.dimension_text);
    to_record(p.text[kAppendedText], &out.appended_text);
    to_record(p.text[kToleranceText], &out.tolerance_text);
    to_record(p.text[kGeneralText], &out.general_text);
    out.dim_dim_line_space_factor = p.space_factors[0];
    out.dim_app_text_space_factor = p.space_factors[1];
    out.dim_tol_text_space_factor = p.space_factors[2];
    return 0;
}

extern "C" int UF_DRF_set_lettering_preferences(UF_DRF_lettering_preferences_p_t lettering_preferences) {
    NXHOST_ENTER("UF_DRF_set_lettering_preferences");
    if (!lettering_preferences) return kBadArgument;
    FontTablePayload *table = nullptr;
    if (int rc = work_table(&table)) return rc;
    const UF_DRF_lettering_preferences_t &in = *lettering_preferences;
    Preferences p = table->preferences;
    p.align_position = static_cast<int>(in.align_position);
    p.horiz_text_just = static_cast<int>(in.horiz_text_just);
    p.gdt_frame_height_factor = in.gdt_frame_height_factor;
    p.angle = in.angle;
    p.text[kDimensionText] = from_record(in.dimension_text);
    p.text[kAppendedText] = from_record(in.appended_text);
    p.text[kToleranceText] = from_record(in.tolerance_text);
    p.text[kGeneralText] = from_record(in.general_text);
    p.space_factors = {in.dim_dim_line_space_factor, in.dim_app_text_space_factor, in.dim_tol_text_space_factor};
    const std::string why = preference_fault(p, *table);
    if (!why.empty()) return refuse("UF_DRF_set_lettering_preferences", why);
    table->preferences = p;
    store().mark_modified(work_part());
    return 0;
}
