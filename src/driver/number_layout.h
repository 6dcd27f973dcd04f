// The number layouts in which every number is shown or written: scientific, fixed and
// integer, each right-justified in a field of w columns, w asterisks when it does not fit.
#pragma once

#include <cstddef>
#include <string>

namespace regmap {

struct NumberLayout {
  enum class Kind { Scientific, Fixed };
  Kind kind;
  int width;
  int decimals;
};

// The layouts the program uses.
inline constexpr NumberLayout kFluidMenuLayout{NumberLayout::Kind::Scientific, 12, 3};
inline constexpr NumberLayout kMapMenuLayout{NumberLayout::Kind::Fixed, 12, 5};
inline constexpr NumberLayout kRangeLayout{NumberLayout::Kind::Scientific, 10, 3};
inline constexpr NumberLayout kPointLayout{NumberLayout::Kind::Scientific, 14, 6};
inline constexpr NumberLayout kRegimeLayout{NumberLayout::Kind::Scientific, 10, 2};
inline constexpr int kStatusWidth = 3;

// Widest field any layout may be asked for.
inline constexpr int kMaxFieldWidth = 40;

// Writes `value` in `layout` into out[0 .. layout.width) and returns layout.width.
// The value is expanded to 17 significant digits, cut to the digits shown and rounded half
// away from zero on that expansion (a carry may add a digit: 9.996 with 2 decimals in the
// scientific layout gives "1.00E+01").
//   scientific: [-]d.ddd then "E+dd" for exponents -99..99, else "+ddd" without the letter;
//               zero is "0.000E+00";
//   fixed:      [-]iii.ddddd, with no zero before the point below 1 in magnitude.
// No plus sign. A value that does not fit, or has no value (NaN, infinity), gives asterisks.
std::size_t format_real(char* out, double value, NumberLayout layout);

// A value with its decimal expansion to 17 significant digits, the text every real layout
// is cut from: |value| = d0.d1d2...d16 x 10^exponent (digits unset for zero and for a value
// that is not finite). Expanding once serves a value written in several layouts, as map
// tracing writes each point to the console and to the curve file.
struct DecimalExpansion {
  double value;
  char digits[17];
  int exponent;
};
DecimalExpansion expand_real(double value);
// format_real of the expanded value: the same text as format_real(out, value.value, layout).
std::size_t format_real(char* out, const DecimalExpansion& value, NumberLayout layout);

// Integer layout: [-]digits right-justified in `width` columns, asterisks when too long.
std::size_t format_integer(char* out, long long value, int width);

// Convenience forms for the menus and tests.
std::string format_real(double value, NumberLayout layout);
std::string format_integer(long long value, int width);

}  // namespace regmap
