// Rounding, number texts and tolerant comparison. Rounding goes through the "%f" text so that
// boxes compared after rounding agree with the numbers the user reads.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "my_func/my_func.h"

namespace {

// "%f" text of value moved by half a unit away from zero, cut after `digits` decimals.
void rounded_text(double value, int digits, char text[MY_NUMBER_TEXT_BUFSIZE]) {
    double half;
    switch (digits) {
    case 0: half = 0.5; break;
    case 1: half = 0.05; break;
    case 2: half = 0.005; break;
    case 3: half = 0.0005; break;
    default:
        digits = 4;
        half = 0.00005;
        break;
    }
    std::snprintf(text, MY_NUMBER_TEXT_BUFSIZE, "%f", value < 0.0 ? value - half : value + half);
    if (char *point = std::strchr(text, '.')) point[1 + digits] = '\0';
}

int effective_digits(int digits) { return digits >= 0 && digits <= 3 ? digits : 4; }

}  // namespace

double MY_round_value(double value, int digits) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    rounded_text(value, digits, text);
    return std::strtod(text, nullptr);
}

char *MY_double_to_str(double value, int digits, char text[MY_NUMBER_TEXT_BUFSIZE]) {
    rounded_text(value, digits, text);
    if (!std::strchr(text, '.')) return text;  // inf, nan
    size_t length = std::strlen(text);
    if (effective_digits(digits) > 0)
        while (length > 0 && text[length - 1] == '0') text[--length] = '\0';
    if (length > 0 && text[length - 1] == '.') text[--length] = '\0';
    if (std::strcmp(text, "-") == 0 || length == 0) std::strcpy(text, "0");
    return text;
}

int MY_equal_tol(double a, double b, double tol) { return b >= a - tol && a + tol >= b ? 1 : 0; }

double MY_point_dist(const double p[3], const double q[3]) {
    const double dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
