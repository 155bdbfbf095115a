# QW_SANITIZE: everything built with AddressSanitizer and
# UndefinedBehaviorSanitizer, stopping at the first report.
# QW_FUZZ: the same plus libFuzzer's coverage, and the targets in fuzz/;
# clang only.
option(QW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QW_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

if(QW_SANITIZE OR QW_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QW_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QW_FUZZ needs clang: configure with CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
