# Writes the service worker of the browser build's site folder: the SHA-256
# of every file the site serves, and the version they make together, so that
# the same files always give the same worker and any changed file a new one.
#   cmake -DSITE=folder -DTEMPLATE=sw.js.in -DFILES=a,b,c -P site_version.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(entries "")
set(all "")
foreach(name ${FILES})
  file(SHA256 "${SITE}/${name}" hash)
  string(APPEND entries "  '${name}': '${hash}',\n")
  string(APPEND all "${name} ${hash}\n")
endforeach()
string(SHA256 version "${all}")
string(SUBSTRING "${version}" 0 16 QW_SITE_VERSION)
string(REGEX REPLACE ",\n$" "" QW_SITE_FILES "${entries}")
# Written only when it changes.
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
