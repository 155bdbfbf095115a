# Writes the bytes of IN as a C++ array named NAME in namespace NS to OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" len)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT}
  "#include <cstdint>\n#include <span>\nnamespace ${NS} {\n"
  "static const std::uint8_t kBytes[] = {\n${bytes}\n};\n"
  "extern const std::span<const std::uint8_t> ${NAME};\n"
  "const std::span<const std::uint8_t> ${NAME}(kBytes, sizeof kBytes);\n}\n")
