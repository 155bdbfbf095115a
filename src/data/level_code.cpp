#include "data/level_code.h"

#include <algorithm>
#include <array>
#include <vector>

#include "data/calendar.h"
#include "data/keypad.h"

namespace qw {

namespace {

// Crockford's base 32: no I, L, O or U, which read like 1, 1, 0 and V.
constexpr std::string_view kDigits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int kSymbolBits = 5;
// The check: a CRC of degree 20 over the code's bits. A CRC of degree r whose
// polynomial has a constant term catches every error within r neighbouring
// bits, so every changed character (5 bits) and every two neighbours swapped
// (10 bits). Starting from all ones and ending with all ones flipped, zeros put
// in front or after change it too.
constexpr int kCheckBits = 20;
constexpr int kCheckSymbols = kCheckBits / kSymbolBits;
constexpr std::uint32_t kCheckPolynomial = 0x8359B;  // x^20 + ..., the x^20 left out
constexpr std::uint32_t kCheckMask = (1u << kCheckBits) - 1;

// The fields, in bits. Fixed for good within a version.
constexpr int kKindBits = 2;
constexpr int kDayBits = 22;  // 9999-12-31 is day 2932896
constexpr int kGradeBits = 3;
constexpr int kNibbleCountBits = 4;  // a seed's hexadecimal digits, less one
constexpr int kCountBits = 4;
constexpr int kCellBits = 7;
constexpr int kRotationBits = 3;
constexpr int kListLengthBits = 7;
constexpr int kTitleLengthBits = 6;
constexpr int kPasswordLengthBits = 4;
constexpr int kRawCharBits = 8;  // a character of the Latin-1 text the level file holds

constexpr std::int32_t kTraySlots = 10;
constexpr std::int32_t kCells = 100;

// A text is its length, then one bit: 1 when every character is one of the
// text's letters, each then written as its place among them, 0 when each is
// written whole.
struct TextRule {
  const char* name;
  std::wstring_view letters;  // a power of two of them
  int letterBits;
  int lengthBits;
};
constexpr std::wstring_view kTitleLetters =
    L" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-";
constexpr TextRule kTitle{"title", kTitleLetters, 6, kTitleLengthBits};
constexpr TextRule kPassword{"password",
                             std::wstring_view(keypadAlphabet.data(), keypadAlphabet.size()), 3,
                             kPasswordLengthBits};

std::int64_t LastDay() { return DayNumber(Date{kLastYear, 12, 31}); }

class BitWriter {
 public:
  void Put(std::uint64_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i)
      bits_.push_back(static_cast<std::uint8_t>((value >> i) & 1u));
  }
  // The bits in 5-bit symbols, the last one filled with zeros.
  std::vector<std::uint8_t> Symbols() const {
    std::vector<std::uint8_t> symbols((bits_.size() + kSymbolBits - 1) / kSymbolBits, 0);
    for (std::size_t i = 0; i < bits_.size(); ++i) {
      symbols[i / kSymbolBits] |=
          static_cast<std::uint8_t>(bits_[i] << (kSymbolBits - 1 - i % kSymbolBits));
    }
    return symbols;
  }

 private:
  std::vector<std::uint8_t> bits_;
};

// Reads bits from symbols; past their end it reads zeros and remembers that
// it ran out.
class BitReader {
 public:
  BitReader(const std::uint8_t* symbols, std::size_t count)
      : symbols_(symbols), bits_(count * kSymbolBits) {}
  std::uint64_t Get(int bits) {
    std::uint64_t value = 0;
    for (int i = 0; i < bits; ++i) {
      value <<= 1;
      if (at_ >= bits_) {
        ranOut_ = true;
        continue;
      }
      value |= (symbols_[at_ / kSymbolBits] >> (kSymbolBits - 1 - at_ % kSymbolBits)) & 1u;
      ++at_;
    }
    return value;
  }
  bool ranOut() const { return ranOut_; }
  // Whatever is left is the last symbol's filling: fewer than 5 bits, zeros.
  bool OnlyFillingLeft() {
    if (bits_ - at_ >= static_cast<std::size_t>(kSymbolBits)) return false;
    return Get(static_cast<int>(bits_ - at_)) == 0;
  }

 private:
  const std::uint8_t* symbols_;
  std::size_t bits_;
  std::size_t at_ = 0;
  bool ranOut_ = false;
};

std::uint32_t Check(const std::uint8_t* symbols, std::size_t count) {
  std::uint32_t crc = kCheckMask;
  for (std::size_t s = 0; s < count; ++s) {
    for (int i = kSymbolBits - 1; i >= 0; --i) {
      const bool top = (((crc >> (kCheckBits - 1)) ^ (symbols[s] >> i)) & 1u) != 0;
      crc = (crc << 1) & kCheckMask;
      if (top) crc ^= kCheckPolynomial;
    }
  }
  return crc ^ kCheckMask;
}

std::string Written(const std::vector<std::uint8_t>& symbols) {
  std::string code;
  for (const std::uint8_t s : symbols) code.push_back(kDigits[s]);
  return code;
}

// A text the level file can hold as a line of its own: not empty, no ';'
// first, no line end inside, no zero byte, Latin-1.
std::string TextProblem(const std::wstring& text, const TextRule& rule) {
  const std::size_t most = (std::size_t{1} << rule.lengthBits) - 1;
  if (text.empty() || text.size() > most) {
    return std::string("its ") + rule.name + " is not 1 to " + std::to_string(most) +
           " characters long";
  }
  if (text[0] == L';' || text.find(L"\r\n") != std::wstring::npos) {
    return std::string("its ") + rule.name + " cannot stand on a line of the level file";
  }
  for (const wchar_t c : text) {
    if (c == 0 || c > 0xFF)
      return std::string("its ") + rule.name + " has a character outside Latin-1";
  }
  return std::string();
}

void PutText(BitWriter& out, const std::wstring& text, const TextRule& rule) {
  out.Put(text.size(), rule.lengthBits);
  const bool lettersOnly = text.find_first_not_of(rule.letters) == std::wstring::npos;
  out.Put(lettersOnly ? 1 : 0, 1);
  for (const wchar_t c : text) {
    if (lettersOnly) {
      out.Put(rule.letters.find(c), rule.letterBits);
    } else {
      out.Put(static_cast<std::uint64_t>(c), kRawCharBits);
    }
  }
}

std::wstring GetText(BitReader& in, const TextRule& rule) {
  const auto length = static_cast<std::size_t>(in.Get(rule.lengthBits));
  const bool lettersOnly = in.Get(1) == 1;
  std::wstring text;
  for (std::size_t i = 0; i < length; ++i) {
    text.push_back(lettersOnly ? rule.letters[in.Get(rule.letterBits)]
                               : static_cast<wchar_t>(in.Get(kRawCharBits)));
  }
  return text;
}

// The cells of a list written plainly ("3,13,23", or empty), or nullopt.
std::optional<std::vector<std::int32_t>> PlainCells(const std::wstring& list) {
  std::vector<std::int32_t> cells;
  if (list.empty()) return cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(list.find(L',', start), list.size());
    const std::wstring_view field = std::wstring_view(list).substr(start, end - start);
    const bool digits = !field.empty() && field.size() <= 2 &&
                        field.find_first_not_of(L"0123456789") == std::wstring_view::npos &&
                        (field.size() == 1 || field[0] != L'0');
    if (!digits || cells.size() == (std::size_t{1} << kListLengthBits) - 1) return std::nullopt;
    cells.push_back(field.size() == 1 ? field[0] - L'0'
                                      : (field[0] - L'0') * 10 + (field[1] - L'0'));
    if (end == list.size()) return cells;
    start = end + 1;
  }
}

std::wstring ListText(const std::vector<std::int32_t>& cells) {
  std::wstring text;
  for (const std::int32_t c : cells) text += (text.empty() ? L"" : L",") + std::to_wstring(c);
  return text;
}

std::string BoardProblem(const LevelRecord& r, BitWriter& out) {
  const std::array<std::int32_t, 3> counts{r.elbowCount, r.bendCount, r.splitterCount};
  std::int64_t pieces = 0;
  for (const std::int32_t n : counts) {
    if (n < 0 || n > kTraySlots) return "its tray counts are not 0 to 10 each";
    pieces += n;
  }
  if (pieces > kTraySlots) return "its tray counts add up to more than 10";
  if (r.sourceCell < 0 || r.sourceCell >= kCells) return "its nozzle is not on the board";
  if (r.sourceRotation < 0 || r.sourceRotation > 7) return "its nozzle is not turned 0 to 7";
  for (const std::int32_t n : counts) out.Put(static_cast<std::uint64_t>(n), kCountBits);
  out.Put(static_cast<std::uint64_t>(r.sourceCell), kCellBits);
  out.Put(static_cast<std::uint64_t>(r.sourceRotation), kRotationBits);
  for (const auto& [name, list] :
       {std::pair{"fire", &r.fireCells}, std::pair{"hazard", &r.hazardCells},
        std::pair{"wall", &r.wallCells}}) {
    const std::optional<std::vector<std::int32_t>> cells = PlainCells(*list);
    if (!cells)
      return std::string("its ") + name +
             " list is not cell numbers 0 to 99 (at most 127) written plainly";
    out.Put(cells->size(), kListLengthBits);
    for (const std::int32_t c : *cells) out.Put(static_cast<std::uint64_t>(c), kCellBits);
  }
  for (const auto& [text, rule] :
       {std::pair{&r.title, &kTitle}, std::pair{&r.password, &kPassword}}) {
    const std::string problem = TextProblem(*text, *rule);
    if (!problem.empty()) return problem;
    PutText(out, *text, *rule);
  }
  return std::string();
}

// The level of a payload: nullopt when it runs out (`cutShort`) or names
// no level.
std::optional<CodedLevel> Parse(BitReader& in, bool& cutShort) {
  CodedLevel level;
  const std::uint64_t kind = in.Get(kKindBits);
  bool sound = true;
  if (kind == static_cast<std::uint64_t>(CodedLevel::Kind::kBoard)) {
    level.kind = CodedLevel::Kind::kBoard;
    LevelRecord& r = level.board;
    r.elbowCount = static_cast<std::int32_t>(in.Get(kCountBits));
    r.bendCount = static_cast<std::int32_t>(in.Get(kCountBits));
    r.splitterCount = static_cast<std::int32_t>(in.Get(kCountBits));
    sound = r.elbowCount + r.bendCount + r.splitterCount <= kTraySlots;
    r.sourceCell = static_cast<std::int32_t>(in.Get(kCellBits));
    r.sourceRotation = static_cast<std::int32_t>(in.Get(kRotationBits));
    sound = sound && r.sourceCell < kCells;
    for (std::wstring* list : {&r.fireCells, &r.hazardCells, &r.wallCells}) {
      std::vector<std::int32_t> cells(static_cast<std::size_t>(in.Get(kListLengthBits)));
      for (std::int32_t& c : cells) {
        c = static_cast<std::int32_t>(in.Get(kCellBits));
        sound = sound && c < kCells;
      }
      *list = ListText(cells);
    }
    r.title = GetText(in, kTitle);
    r.password = GetText(in, kPassword);
    sound =
        sound && TextProblem(r.title, kTitle).empty() && TextProblem(r.password, kPassword).empty();
  } else if (kind == static_cast<std::uint64_t>(CodedLevel::Kind::kDaily)) {
    level.kind = CodedLevel::Kind::kDaily;
    level.day = static_cast<std::int64_t>(in.Get(kDayBits));
    sound = level.day <= LastDay();
  } else if (kind == static_cast<std::uint64_t>(CodedLevel::Kind::kRandom)) {
    level.kind = CodedLevel::Kind::kRandom;
    level.grade = static_cast<std::int32_t>(in.Get(kGradeBits));
    level.seed = in.Get(4 * (static_cast<int>(in.Get(kNibbleCountBits)) + 1));
    sound = level.grade >= kEasiestGrade && level.grade <= kHardestGrade;
  } else {
    sound = false;
  }
  cutShort = in.ranOut();
  if (cutShort || !sound || !in.OnlyFillingLeft()) return std::nullopt;
  return level;
}

}  // namespace

std::string SealCode(std::string_view body) {
  std::vector<std::uint8_t> symbols;
  for (const char c : body) {
    const std::size_t at = kDigits.find(c);
    symbols.push_back(static_cast<std::uint8_t>(at == std::string_view::npos ? 0 : at));
  }
  const std::uint32_t check = Check(symbols.data(), symbols.size());
  BitWriter tail;
  tail.Put(check, kCheckBits);
  return std::string(body) + Written(tail.Symbols());
}

std::optional<std::string> EncodeLevel(const CodedLevel& level, std::string* problem) {
  BitWriter out;
  out.Put(static_cast<std::uint64_t>(kLevelCodeVersion), kSymbolBits);
  out.Put(static_cast<std::uint64_t>(level.kind), kKindBits);
  std::string why;
  switch (level.kind) {
    case CodedLevel::Kind::kBoard: why = BoardProblem(level.board, out); break;
    case CodedLevel::Kind::kDaily:
      if (level.day < 0 || level.day > LastDay())
        why = "its day is not from 1970-01-01 to 9999-12-31";
      out.Put(static_cast<std::uint64_t>(level.day), kDayBits);
      break;
    case CodedLevel::Kind::kRandom: {
      if (level.grade < kEasiestGrade || level.grade > kHardestGrade)
        why = "its grade is not 1 to 5";
      out.Put(static_cast<std::uint64_t>(level.grade), kGradeBits);
      int nibbles = 1;
      while (nibbles < 16 && (level.seed >> (4 * nibbles)) != 0) ++nibbles;
      out.Put(static_cast<std::uint64_t>(nibbles - 1), kNibbleCountBits);
      out.Put(level.seed, 4 * nibbles);
      break;
    }
  }
  if (!why.empty()) {
    if (problem) *problem = why;
    return std::nullopt;
  }
  return SealCode(Written(out.Symbols()));
}

std::optional<CodedLevel> DecodeLevel(std::string_view code, std::string* problem) {
  auto refuse = [&](std::string why) -> std::optional<CodedLevel> {
    if (problem) *problem = std::move(why);
    return std::nullopt;
  };
  std::vector<std::uint8_t> symbols;
  for (std::size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (c == '-') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 'I' || c == 'L') c = '1';
    if (c == 'O') c = '0';
    const std::size_t at = kDigits.find(c);
    if (at == std::string_view::npos) {
      const auto byte = static_cast<unsigned char>(code[i]);
      const std::string shown =
          byte > 32 && byte < 127 ? "'" + std::string(1, code[i]) + "'" : "a blank or control";
      return refuse("the code is mistyped: character " + std::to_string(i + 1) + " (" + shown +
                    ") is not used in codes");
    }
    symbols.push_back(static_cast<std::uint8_t>(at));
  }
  if (symbols.empty()) return refuse("no code was given");
  if (symbols.size() <= static_cast<std::size_t>(kCheckSymbols))
    return refuse("the code is cut short");
  const std::size_t body = symbols.size() - kCheckSymbols;
  BitReader check(symbols.data() + body, kCheckSymbols);
  const bool checked = check.Get(kCheckBits) == Check(symbols.data(), body);
  const std::int32_t version = symbols[0];
  if (checked && version != kLevelCodeVersion) {
    return refuse("the code is of format " + std::to_string(version) +
                  ", which this version of the game cannot read");
  }
  BitReader in(symbols.data() + 1, body - 1);
  bool cutShort = false;
  std::optional<CodedLevel> level = Parse(in, cutShort);
  if (!checked && version == kLevelCodeVersion && cutShort) return refuse("the code is cut short");
  if (!checked) return refuse("the code is mistyped or altered: its check characters do not match");
  if (!level) return refuse("the code is altered: it names no level");
  return level;
}

}  // namespace qw
