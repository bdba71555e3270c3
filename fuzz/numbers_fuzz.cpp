// The number texts and the GBK conversion: reading a number from any text,
// writing any number with any display pattern, and converting any bytes.
#include <cmath>
#include <cstring>

#include "common/gbk.h"
#include "common/helpers.h"
#include "common/number_text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double read = Val(text);
  if (std::isnan(read)) fuzz::Finding("Val gave NaN");
  // A value and a pattern from the bytes.
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const std::string pattern = text.substr(sizeof value, 24);
    Format(value, pattern);
    Format(read, pattern);
    FormatExponent(value, data[0] & 1);
    FormatProp(static_cast<float>(value));
  }
  const std::string utf8 = fromGbk(text);
  toGbk(utf8);
  toGbk(text);
  for (size_t i = 0; i < size && i < 8; ++i) KeyFilter(data[i], data[i] % 4);
  return 0;
}
