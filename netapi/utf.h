// UTF-8 and UTF-16, the narrow and wide encodings of this platform layer.
#ifndef ACCTINFO_NETAPI_UTF_H
#define ACCTINFO_NETAPI_UTF_H

#include <string>
#include <string_view>

// Decodes UTF-8. Each maximal ill-formed subsequence (a byte that starts no
// sequence, or a sequence cut short) becomes one U+FFFD, so no input is lost
// without a trace and none is misread.
std::u16string utf16_from_utf8(std::string_view text);

// Encodes UTF-16 as UTF-8, every character whole. A lone surrogate becomes
// U+FFFD.
std::string utf8_from_utf16(std::u16string_view text);

#endif  // ACCTINFO_NETAPI_UTF_H
