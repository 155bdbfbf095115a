# Writes the service worker of the browser build's site folder: the SHA-256
# of every file the site serves, and the version they make together, so that
# the same files always give the same worker and any changed file a new one.
# THEMES are served too, but kept only once fetched.
#   cmake -DSITE=folder -DTEMPLATE=sw.js.in -DFILES=a,b,c -DTHEMES=d,e -P site_version.cmake
set(all "")
foreach(list FILES THEMES)
  string(REPLACE "," ";" names "${${list}}")
  set(entries "")
  foreach(name ${names})
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND entries "  '${name}': '${hash}',\n")
    string(APPEND all "${name} ${hash}\n")
  endforeach()
  string(REGEX REPLACE ",\n$" "" QW_SITE_${list} "${entries}")
endforeach()
string(SHA256 version "${all}")
string(SUBSTRING "${version}" 0 16 QW_SITE_VERSION)
# Written only when it changes.
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
