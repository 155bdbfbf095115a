# Run by CPack in its staging folder before it builds the .deb, to lay the
# files out as Debian wants them:
# - the game and its level tool in /usr/games, Debian's place for a game
#   package's programs (lintian calls a games package without it an error,
#   and one with programs in /usr/bin too a warning). The game still finds
#   /usr/share/quenchway/data as ../share/quenchway/data from its folder. The
#   desktop entry starts it by its full path, so that no session's PATH
#   matters.
# - manual pages and the changelog compressed with gzip -9n (no name or time
#   stamp, so the same files give the same package).
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(MAKE_DIRECTORY ${usr}/games)
foreach(program quenchway quenchway-levels)
  if(NOT EXISTS ${usr}/bin/${program})
    message(FATAL_ERROR "no ${usr}/bin/${program} in the staging folder")
  endif()
  file(RENAME ${usr}/bin/${program} ${usr}/games/${program})
endforeach()
file(GLOB left ${usr}/bin/*)
if(left)
  message(FATAL_ERROR "the staging folder's bin holds more than the two programs: ${left}")
endif()
file(REMOVE_RECURSE ${usr}/bin)

file(GLOB desktop_entries ${usr}/share/applications/*.desktop)
foreach(entry ${desktop_entries})
  file(READ ${entry} text)
  string(REPLACE "\nExec=quenchway\n" "\nExec=${CPACK_PACKAGING_INSTALL_PREFIX}/games/quenchway\n" text "${text}")
  file(WRITE ${entry} "${text}")
endforeach()

file(GLOB compress ${usr}/share/man/man6/*.6 ${usr}/share/doc/quenchway/changelog)
foreach(f ${compress})
  execute_process(COMMAND gzip -9nf ${f} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${f}")
  endif()
endforeach()
