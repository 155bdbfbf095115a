#include "platform/utf8.h"

namespace qw {

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;  // not a character
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t more = (c & 0xE0) == 0xC0   ? 1
                             : (c & 0xF0) == 0xE0 ? 2
                             : (c & 0xF8) == 0xF0 ? 3
                                                  : 0;
    char32_t code = more == 0 ? c : c & (0x3F >> more);
    std::size_t read = 0;
    while (read < more && i + 1 + read < text.size() &&
           (static_cast<unsigned char>(text[i + 1 + read]) & 0xC0) == 0x80) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + 1 + read]) & 0x3F);
      ++read;
    }
    if (read < more)
      code = c;  // cut short: the byte as it is
    else
      i += more;
    out.push_back(static_cast<wchar_t>(code));
  }
  return out;
}

}  // namespace qw
