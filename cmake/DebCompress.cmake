# Run by CPack in the staging folder before it builds the .deb: compresses the
# manual pages and the changelog as Debian wants them (gzip -9n: no name or
# time stamp, so the same files give the same package).
file(GLOB_RECURSE compress
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man6/*.6
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/quenchway/changelog)
foreach(f ${compress})
  execute_process(COMMAND gzip -9nf ${f} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${f}")
  endif()
endforeach()
