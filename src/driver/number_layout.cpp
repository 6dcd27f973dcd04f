#include "driver/number_layout.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace regmap {

namespace {

constexpr int kExpansionDigits = 17;  // digits of the decimal expansion
constexpr int kMaxTakenDigits = 16;   // digits ever taken from the value itself
static_assert(sizeof(DecimalExpansion::digits) == kExpansionDigits);

// std::to_chars gives the same exactly rounded text as printf's "%.16e" in the C locale,
// about four times faster (with snprintf, formatting was half the cost of a map trace).
void expand(double magnitude, DecimalExpansion& e) {
  char buf[40];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, magnitude,
                                               std::chars_format::scientific,
                                               kExpansionDigits - 1);
  e.digits[0] = buf[0];
  std::memcpy(e.digits + 1, buf + 2, kExpansionDigits - 1);
  // The exponent after "d." + 16 digits + "e": a sign and two or three digits.
  const char* p = buf + kExpansionDigits + 2;
  const bool negative = *p++ == '-';
  int exponent = 0;
  while (p < r.ptr) exponent = exponent * 10 + (*p++ - '0');
  e.exponent = negative ? -exponent : exponent;
}

// Keeps the first `count` digits of the expansion (count >= 0), rounding half up in
// magnitude on the first digit cut off. Writes them to `kept` (count digits, or count + 1
// when the carry ran out of the leading digit, in which case *carried is set).
void cut_and_round(const DecimalExpansion& e, int count, char* kept, bool* carried) {
  const int taken = count < kMaxTakenDigits ? count : kMaxTakenDigits;
  for (int i = 0; i < count; ++i) kept[i] = i < taken ? e.digits[i] : '0';
  const bool round_up = taken < kExpansionDigits && e.digits[taken] >= '5';
  *carried = false;
  if (!round_up) return;
  int i = taken - 1;
  while (i >= 0 && kept[i] == '9') kept[i--] = '0';
  if (i >= 0) {
    ++kept[i];
  } else {
    std::memmove(kept + 1, kept, static_cast<std::size_t>(count));
    kept[0] = '1';
    *carried = true;
  }
}

std::size_t justify(char* out, const char* text, int len, int width) {
  if (len > width) {
    std::memset(out, '*', static_cast<std::size_t>(width));
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(width - len));
    std::memcpy(out + (width - len), text, static_cast<std::size_t>(len));
  }
  return static_cast<std::size_t>(width);
}

int scientific_text(char* t, const DecimalExpansion& e, int d) {
  const double value = e.value;
  int n = 0;
  int exponent = 0;
  char kept[kMaxFieldWidth + 2];
  if (value == 0) {
    kept[0] = '0';
    std::memset(kept + 1, '0', static_cast<std::size_t>(d));
  } else {
    if (value < 0) t[n++] = '-';
    bool carried = false;
    cut_and_round(e, d + 1, kept, &carried);
    exponent = e.exponent + (carried ? 1 : 0);
  }
  t[n++] = kept[0];
  t[n++] = '.';
  std::memcpy(t + n, kept + 1, static_cast<std::size_t>(d));
  n += d;
  const int mag = std::abs(exponent);
  if (mag <= 99) {
    t[n++] = 'E';
    t[n++] = exponent < 0 ? '-' : '+';
    t[n++] = static_cast<char>('0' + mag / 10);
    t[n++] = static_cast<char>('0' + mag % 10);
  } else {
    t[n++] = exponent < 0 ? '-' : '+';
    t[n++] = static_cast<char>('0' + mag / 100);
    t[n++] = static_cast<char>('0' + mag / 10 % 10);
    t[n++] = static_cast<char>('0' + mag % 10);
  }
  return n;
}

int fixed_text(char* t, const DecimalExpansion& e, int d, int width) {
  const double value = e.value;
  // Digits from the leading one down to the last decimal shown.
  int n = 0;
  char kept[kMaxFieldWidth + 4];
  int count = 0;     // digits kept
  int int_digits = 0;  // of which before the point
  bool negative = false;
  if (value != 0) {
    count = e.exponent + 1 + d;
    // Far too large for any field: no need to expand further.
    if (count > width + 1) return width + 1;
    bool carried = false;
    if (count >= 0) {
      cut_and_round(e, count, kept, &carried);
      if (carried) ++count;
    } else {
      count = 0;
    }
    int_digits = count - d;
    bool any_nonzero = false;
    for (int i = 0; i < count; ++i) any_nonzero = any_nonzero || kept[i] != '0';
    negative = value < 0 && any_nonzero;
  }
  if (negative) t[n++] = '-';
  for (int i = 0; i < int_digits; ++i) t[n++] = kept[i];
  t[n++] = '.';
  // Leading zeros of the decimals when the kept digits start below the point.
  const int lead = int_digits < 0 ? -int_digits : 0;
  const int start = int_digits > 0 ? int_digits : 0;
  for (int i = 0; i < d; ++i) {
    const int k = i < lead ? -1 : start + i - lead;
    t[n++] = (k >= 0 && k < count) ? kept[k] : '0';
  }
  return n;
}

}  // namespace

DecimalExpansion expand_real(double value) {
  DecimalExpansion e{};
  e.value = value;
  if (value != 0 && std::isfinite(value)) expand(std::fabs(value), e);
  return e;
}

std::size_t format_real(char* out, const DecimalExpansion& value, NumberLayout layout) {
  const int w = layout.width;
  if (!std::isfinite(value.value)) return justify(out, "", w + 1, w);
  char text[2 * kMaxFieldWidth + 8];
  const int len = layout.kind == NumberLayout::Kind::Scientific
                      ? scientific_text(text, value, layout.decimals)
                      : fixed_text(text, value, layout.decimals, w);
  return justify(out, text, len, w);
}

std::size_t format_real(char* out, double value, NumberLayout layout) {
  return format_real(out, expand_real(value), layout);
}

std::size_t format_integer(char* out, long long value, int width) {
  char text[32];
  const int len = std::snprintf(text, sizeof text, "%lld", value);
  return justify(out, text, len, width);
}

std::string format_real(double value, NumberLayout layout) {
  char buf[kMaxFieldWidth];
  return std::string(buf, format_real(buf, value, layout));
}

std::string format_integer(long long value, int width) {
  char buf[kMaxFieldWidth];
  return std::string(buf, format_integer(buf, value, width));
}

}  // namespace regmap
