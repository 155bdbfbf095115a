# qw_embed_files(<target> <namespace> <file>...)
# Turns each file into a byte array compiled into <target>, so that the
# executable carries its resources and runs with only data/ beside it.
# A file resources/foo_bar.bmp becomes `<namespace>::kFooBarBmp` (a std::span).
function(qw_embed_files target ns)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  file(MAKE_DIRECTORY ${out_dir})
  set(header ${out_dir}/${target}_resources.h)
  set(decls "")
  foreach(file ${ARGN})
    get_filename_component(abs ${file} ABSOLUTE)
    get_filename_component(name ${file} NAME)
    string(MAKE_C_IDENTIFIER ${name} ident)
    string(REPLACE "_" ";" parts ${ident})
    set(camel "k")
    foreach(part ${parts})
      string(SUBSTRING ${part} 0 1 first)
      string(SUBSTRING ${part} 1 -1 rest)
      string(TOUPPER ${first} first)
      string(APPEND camel "${first}${rest}")
    endforeach()
    set(src ${out_dir}/${ident}.cpp)
    add_custom_command(
      OUTPUT ${src}
      COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${src} -DNS=${ns} -DNAME=${camel}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      DEPENDS ${abs} ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      VERBATIM)
    target_sources(${target} PRIVATE ${src})
    string(APPEND decls "extern const std::span<const std::uint8_t> ${camel};\n")
  endforeach()
  file(WRITE ${header}.tmp
    "#pragma once\n#include <cstdint>\n#include <span>\nnamespace ${ns} {\n${decls}}\n")
  file(COPY_FILE ${header}.tmp ${header} ONLY_IF_DIFFERENT)
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
