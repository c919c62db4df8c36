#include "number_text.h"

namespace snoutsum {

std::string decimalText(long long n) { return std::to_string(n); }

std::string signedText(long long n) { return n < 0 ? decimalText(n) : " " + decimalText(n); }

} // namespace snoutsum
