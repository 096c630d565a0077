#pragma once

#include <string>
#include <string_view>

namespace scenario::report {

// Appends `text` to `out` as UTF-8 that is safe between tags and inside a quoted attribute, in
// HTML and in XML alike. `text` is single-byte text as the scenario's text files hold it; bytes
// from 0x80 are read in the Windows Western code page (1252), the one the simulator shows them
// in. & < > " ' become entity references; a byte the code page leaves undefined, and a control
// character other than the tab (which XML cannot carry even as a reference), becomes U+FFFD.
void append_escaped(std::string& out, std::string_view text);
std::string escaped(std::string_view text);

// The same for text that is UTF-8 where it can be (messages, paths): every well-formed UTF-8
// sequence stands as it is, and any other byte is read in the Western code page as above.
void append_escaped_mixed(std::string& out, std::string_view text);

// Appends `value` in fixed-point decimal with `decimals` digits after the point (0 to 6), the
// last digit rounded half to even; "-0" is written as "0". A value that is not finite, or too
// large to write this way (beyond 9e15 at that precision), is written as "0".
void append_fixed(std::string& out, double value, int decimals);
std::string fixed(double value, int decimals);

// "hh:mm:ss" of a count of seconds: hours as many digits as they need (at least two), a minus
// sign before a negative count.
std::string clock_time(long long seconds);

}  // namespace scenario::report
