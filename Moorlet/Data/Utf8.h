#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace moorlet::Utf8 {

// The length of the well-formed UTF-8 sequence that starts `text` (1 to 4), or 0 when the bytes
// there are ill-formed: a stray continuation byte, an overlong form, a surrogate, a code point
// beyond U+10FFFF, or a sequence cut short.
std::size_t wellFormedLength(std::string_view text);

// For ill-formed bytes at the start of `text`: how many of them one U+FFFD replaces, the longest
// prefix that could have begun a well-formed sequence (at least one byte), as the Unicode
// standard recommends.
std::size_t maximalSubpartLength(std::string_view text);

// The code point of the well-formed sequence that starts `text`, of the given length.
char32_t decode(std::string_view text, std::size_t length);

} // namespace moorlet::Utf8
