// Code page 936 (GBK), what the add-on's Chinese texts are, and UTF-8, what people write in
// scripts and layouts and read in transcripts.
#pragma once

#include <string>

namespace nxhost {

// GBK bytes to UTF-8 for display; a byte sequence that is not GBK shows as '?'.
std::string gbk_to_utf8(const std::string &bytes);

// UTF-8 to GBK as a Chinese Windows would type it. False when a character has no GBK form or
// the input is not UTF-8; ASCII passes unchanged.
bool utf8_to_gbk(const std::string &utf8, std::string *gbk);

}  // namespace nxhost
