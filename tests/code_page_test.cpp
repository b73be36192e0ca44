#include <gtest/gtest.h>

#include <array>
#include <string>

#include "netapi/netapi.h"

namespace {

constexpr char16_t kFFFD = u'\uFFFD';

// Converts `input`, its null included, with the room the tool gives a name.
std::u16string to_wide(const std::string& input) {
  std::array<WCHAR, 1024> buffer{};
  const int units = MultiByteToWideChar(CP_ACP, 0, input.c_str(),
                                        static_cast<int>(input.size() + 1), buffer.data(),
                                        static_cast<int>(buffer.size()));
  EXPECT_GT(units, 0) << "error " << GetLastError();
  return std::u16string(buffer.data(), static_cast<std::size_t>(units > 0 ? units - 1 : 0));
}

TEST(MultiByteToWideChar, DecodesUtf8AndReplacesEachIllFormedSubsequence) {
  const struct {
    const char* what;
    std::string input;
    std::u16string expected;
  } cases[] = {
      {"empty", "", u""},
      {"one byte", "a%\\", u"a%\\"},
      {"two bytes", "\xc3\xa9", u"\u00e9"},
      {"three bytes", "\xe2\x82\xac", u"\u20ac"},
      {"four bytes, a surrogate pair", "\xf0\x9f\x98\x80", u"\U0001F600"},
      {"largest code point", "\xf4\x8f\xbf\xbf", u"\U0010FFFF"},
      {"lone continuation byte", "a\x80" "b", {u'a', kFFFD, u'b'}},
      {"byte that starts nothing", "\xff\xfe", {kFFFD, kFFFD}},
      {"overlong two-byte form", "\xc0\xaf", {kFFFD, kFFFD}},
      {"overlong three-byte form", "\xe0\x80\xaf", {kFFFD, kFFFD, kFFFD}},
      {"encoded surrogate", "\xed\xa0\x80", {kFFFD, kFFFD, kFFFD}},
      {"past U+10FFFF", "\xf4\x90\x80\x80", {kFFFD, kFFFD, kFFFD, kFFFD}},
      {"truncated at the end", "a\xe2\x82", {u'a', kFFFD}},
      {"truncated before ASCII", "\xf0\x9f\x98" "a", {kFFFD, u'a'}},
      {"truncated before a lead byte", "\xe2\xc3\xa9", {kFFFD, u'\u00e9'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(to_wide(c.input), c.expected);
  }
}

TEST(MultiByteToWideChar, FillsTheBufferExactlyAndNeverPastIt) {
  // The guard units after the first 1024 must stay untouched.
  std::array<WCHAR, 1030> buffer;
  std::string pairs;
  for (int i = 0; i < 511; ++i) pairs += "\xf0\x9f\x98\x80";
  const struct {
    const char* what;
    std::string input;
    int expected_units;
  } cases[] = {
      {"1023 units and the null", std::string(1023, 'a'), 1024},
      {"1024 units and the null", std::string(1024, 'a'), 0},
      {"511 pairs, one unit and the null", pairs + "b", 1024},
      {"512 pairs and the null", pairs + "\xf0\x9f\x98\x80", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    buffer.fill(u'#');
    const int units = MultiByteToWideChar(CP_ACP, 0, c.input.c_str(), -1, buffer.data(), 1024);
    EXPECT_EQ(units, c.expected_units);
    if (units == 0) {
      EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    } else {
      EXPECT_EQ(buffer[1023], u'\0');
    }
    EXPECT_EQ(std::u16string(buffer.begin() + 1024, buffer.end()), u"######");
  }
}

TEST(MultiByteToWideChar, RefusesBadArgumentsAndAnswersSizeQueries) {
  WCHAR buffer[8];
  const struct {
    const char* what;
    UINT code_page;
    DWORD flags;
    const char* input;
    int input_bytes;
    LPWSTR output;
    int capacity;
    int expected;
    DWORD expected_error;
  } cases[] = {
      {"size query", CP_ACP, 0, "\xc3\xa9z", -1, nullptr, 0, 3, NERR_Success},
      {"explicit length without the null", CP_ACP, 0, "abc", 2, buffer, 8, 2, NERR_Success},
      {"flags", CP_ACP, 1, "a", -1, buffer, 8, 0, ERROR_INVALID_FLAGS},
      {"other code page", 65001, 0, "a", -1, buffer, 8, 0, ERROR_INVALID_PARAMETER},
      {"no input", CP_ACP, 0, nullptr, -1, buffer, 8, 0, ERROR_INVALID_PARAMETER},
      {"zero input length", CP_ACP, 0, "a", 0, buffer, 8, 0, ERROR_INVALID_PARAMETER},
      {"negative capacity", CP_ACP, 0, "a", -1, buffer, -1, 0, ERROR_INVALID_PARAMETER},
      {"room but no buffer", CP_ACP, 0, "a", -1, nullptr, 8, 0, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int result =
        MultiByteToWideChar(c.code_page, c.flags, c.input, c.input_bytes, c.output, c.capacity);
    EXPECT_EQ(result, c.expected);
    if (c.expected == 0) {
      EXPECT_EQ(GetLastError(), c.expected_error);
    }
  }
}

TEST(WideCharToMultiByte, EncodesUtf8AndReplacesLoneSurrogates) {
  const struct {
    const char* what;
    std::u16string input;
    std::string expected;
  } cases[] = {
      {"ASCII", u"a%s", "a%s"},
      {"two and three bytes", u"\u00e9\u20ac", "\xc3\xa9\xe2\x82\xac"},
      {"surrogate pair", u"\U0001F600", "\xf0\x9f\x98\x80"},
      {"lone high surrogate", {u'a', char16_t(0xD83D), u'b'}, "a\xef\xbf\xbd" "b"},
      {"lone low surrogate", {char16_t(0xDE00)}, "\xef\xbf\xbd"},
      {"high surrogate at the end", {u'a', char16_t(0xD83D)}, "a\xef\xbf\xbd"},
      {"reversed pair", {char16_t(0xDE00), char16_t(0xD83D)}, "\xef\xbf\xbd\xef\xbf\xbd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int size = WideCharToMultiByte(CP_ACP, 0, c.input.c_str(), -1, nullptr, 0, nullptr,
                                         nullptr);
    ASSERT_EQ(size, static_cast<int>(c.expected.size() + 1));
    std::string bytes(static_cast<std::size_t>(size), '#');
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, c.input.c_str(), -1, bytes.data(), size, nullptr,
                                  nullptr),
              size);
    EXPECT_EQ(bytes, c.expected + '\0');
  }
}

TEST(WideCharToMultiByte, RefusesADefaultCharacterAndShortBuffers) {
  char bytes[4];
  BOOL used_default = 0;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a", -1, bytes, 4, "?", nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a", -1, bytes, 4, nullptr, &used_default), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u20ac", -1, bytes, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
