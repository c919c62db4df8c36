#pragma once
// The two ways the game turns a whole number into text.

#include <string>

namespace snoutsum {

// Shortest decimal form: "3", "12", "-4".
std::string decimalText(long long n);

// Number with a sign place: a space stands where a minus sign would, " 3", "-4".
std::string signedText(long long n);

} // namespace snoutsum
