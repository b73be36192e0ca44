#include "netapi/utf.h"

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

void append_utf16(std::u16string& out, char32_t code_point) {
  if (code_point < 0x10000) {
    out += static_cast<char16_t>(code_point);
    return;
  }
  code_point -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (code_point >> 10));
  out += static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
}

void append_utf8(std::string& out, char32_t code_point) {
  auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
  if (code_point < 0x80) {
    byte(code_point);
  } else if (code_point < 0x800) {
    byte(0xC0 | (code_point >> 6));
    byte(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    byte(0xE0 | (code_point >> 12));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  } else {
    byte(0xF0 | (code_point >> 18));
    byte(0x80 | ((code_point >> 12) & 0x3F));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  }
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string utf16_from_utf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      continue;
    }
    // The range that the first continuation byte must fall in excludes
    // overlong forms, surrogates and code points past U+10FFFF.
    int continuations = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t code_point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      continuations = 1;
      code_point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      continuations = 2;
      code_point = lead & 0x0Fu;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      continuations = 3;
      code_point = lead & 0x07u;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      out += kReplacement;
      continue;
    }
    bool complete = true;
    for (; continuations > 0; --continuations) {
      const auto next = static_cast<unsigned char>(i < text.size() ? text[i] : 0);
      if (next < low || next > high) {
        complete = false;
        break;
      }
      code_point = (code_point << 6) | (next & 0x3Fu);
      ++i;
      low = 0x80;
      high = 0xBF;
    }
    append_utf16(out, complete ? code_point : kReplacement);
  }
  return out;
}

std::string utf8_from_utf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    char32_t code_point = unit;
    if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
      code_point = 0x10000 + ((unit - 0xD800u) << 10) + (text[++i] - 0xDC00u);
    } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
      code_point = kReplacement;
    }
    append_utf8(out, code_point);
  }
  return out;
}
