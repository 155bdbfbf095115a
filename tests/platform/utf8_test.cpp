#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(ToUtf8, EncodesEachLengthAndReplacesWhatIsNotACharacter) {
  EXPECT_EQ(ToUtf8(L"SEAL"), "SEAL");
  EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0x7F), wchar_t(0x80), wchar_t(0x7FF), wchar_t(0x800)}),
            "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80");
  EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xFFFF), wchar_t(0x10000), wchar_t(0x10FFFF)}),
            "\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
  // A lone surrogate and values past U+10FFFF become U+FFFD.
  EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xD800), wchar_t(0xDFFF), wchar_t(0x110000), wchar_t(-1)}),
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  // A zero character is kept: the terminal and file names get every one.
  EXPECT_EQ(ToUtf8(std::wstring{L'A', L'\0', L'B'}), std::string("A\0B", 3));
  // FromUtf8 reads back every length; a sequence cut short is read bytewise.
  const std::wstring all{L'A', wchar_t(0x7FF), wchar_t(0x2014), wchar_t(0x10FFFF)};
  EXPECT_EQ(FromUtf8(ToUtf8(all)), all);
  EXPECT_EQ(FromUtf8("\xE2\x80"), (std::wstring{wchar_t(0xE2), wchar_t(0x80)}));
}

}  // namespace
}  // namespace qw
