#pragma once

#include <QStringView>

#include <string_view>

namespace kx {

// A number as the C library's decimal conversion reads it from text the user
// typed or a file holds: leading blanks, an optional sign, then digits up to the
// first non-digit. "" and "abc" give 0, "12a" gives 12; values beyond the int
// range saturate.
int LeadingDecimal(QStringView text);
// The same over octets a device answered.
int LeadingDecimal(std::string_view text);
// The same as a 64-bit number, for objects whose range passes the int's
// (Unsigned32 values up to 4294967295); saturates at the 64-bit limits.
qint64 LeadingDecimal64(QStringView text);

} // namespace kx
