# The Debian package, built by CPack from the installation above (scripts/package configures it).
# Its version is the project's with a Debian revision (scripts/package names the release it is
# built for there); its changelog is made from the AppStream release list, so a release is the
# version in project() plus a new <release> entry, nothing else.
if(NOT ORRISK_DEBIAN_PACKAGE)
  return()
endif()
set(ORRISK_MAINTAINER "Orrisk developers <orrisk@users.noreply.github.com>"
    CACHE STRING "The package's maintainer, as Debian writes it: name <address>")
set(ORRISK_DEBIAN_REVISION 1 CACHE STRING "The package's Debian revision, such as 1~deb13u1")
set(ORRISK_DOC_DIR share/doc/orrisk)

configure_file(${ORRISK_PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright DESTINATION ${ORRISK_DOC_DIR})

# Appends `text` to `out` as a changelog bullet, wrapped to fit 80 columns.
function(orrisk_changelog_bullet text out)
  set(lines "${${out}}")
  set(lead "  * ")
  string(LENGTH "${text}" length)
  while(length GREATER 74)
    string(SUBSTRING "${text}" 0 75 head)
    string(FIND "${head}" " " cut REVERSE)
    if(cut LESS 1)
      string(FIND "${text}" " " cut)
    endif()
    if(cut LESS 1)
      break()
    endif()
    string(SUBSTRING "${text}" 0 ${cut} line)
    math(EXPR cut "${cut} + 1")
    string(SUBSTRING "${text}" ${cut} -1 text)
    string(APPEND lines "${lead}${line}\n")
    set(lead "    ")
    string(LENGTH "${text}" length)
  endwhile()
  string(APPEND lines "${lead}${text}\n")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# One changelog entry per AppStream release, newest first as the list holds them; each paragraph
# or list item of a release's description is a bullet.
set(metainfo_file ${ORRISK_PACKAGING_DIR}/io.github.orrisk.Orrisk.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo_file})
file(READ ${metainfo_file} metainfo)
set(changelog "")
string(FIND "${metainfo}" "<release " start)
while(start GREATER -1)
  string(SUBSTRING "${metainfo}" ${start} -1 metainfo)
  string(FIND "${metainfo}" "</release>" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "${metainfo_file}: a <release> is not closed")
  endif()
  string(SUBSTRING "${metainfo}" 0 ${end} release)
  string(SUBSTRING "${metainfo}" ${end} -1 metainfo)
  string(REGEX MATCH "version=\"([^\"]+)\"" ignored "${release}")
  set(version "${CMAKE_MATCH_1}")
  string(REGEX MATCH "date=\"([0-9-]+)\"" ignored "${release}")
  set(date "${CMAKE_MATCH_1}")
  if(NOT version OR NOT date)
    message(FATAL_ERROR "${metainfo_file}: a <release> lacks its version or date")
  endif()
  execute_process(COMMAND env LC_ALL=C date -u -R -d "${date} 00:00:00"
                  OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND changelog "orrisk (${version}-${ORRISK_DEBIAN_REVISION}) unstable; urgency=medium\n\n")
  string(REGEX MATCHALL "<(p|li)>[^<]*</(p|li)>" items "${release}")
  foreach(item ${items})
    string(REGEX REPLACE "</?(p|li)>" "" item "${item}")
    string(REGEX REPLACE "[ \t\r\n]+" " " item "${item}")
    string(STRIP "${item}" item)
    string(REPLACE "&lt;" "<" item "${item}")
    string(REPLACE "&gt;" ">" item "${item}")
    string(REPLACE "&quot;" "\"" item "${item}")
    string(REPLACE "&apos;" "'" item "${item}")
    string(REPLACE "&amp;" "&" item "${item}")
    orrisk_changelog_bullet("${item}" changelog)
  endforeach()
  string(APPEND changelog "\n -- ${ORRISK_MAINTAINER}  ${stamp}\n\n")
  string(FIND "${metainfo}" "<release " start)
endwhile()
if(NOT changelog)
  message(FATAL_ERROR "${metainfo_file}: no <release> to make the changelog from")
endif()
string(STRIP "${changelog}" changelog)
# A package whose version has a Debian revision names its changelog changelog.Debian.gz.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/changelog.Debian "${changelog}\n")
execute_process(COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${ORRISK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orrisk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ORRISK_DEBIAN_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORRISK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "space shooter with gravity, planets and wormholes")
set(CPACK_PACKAGE_DESCRIPTION
    "Orrisk is a real-time space game for one player, seen from above. You fly a
ship through star systems of stars, orbiting planets and wormholes. Stars and
planets pull on every ship and shot; you can land on a planet, ride along with
it and take off again.

Enemy ships keep arriving and try to ram you. You fight them with bullets, a
laser beam and shells that burst into shockwaves, all aimed with the mouse.
Every number of the game lives in plain text tables, and the orrisk-check tool
tells whether changed data can be used.")
# dpkg-shlibdeps names the libraries the binaries link; the GL driver (Mesa's, or a vendor's)
# comes with libglx0, the GL dispatch library it finds. The font is a file the game opens, which
# no tool can see. The SDL 1.2 library the game is built and tested against is the compat one on
# SDL 2: shlibdeps only names the library's old package, which apt would satisfy with classic
# SDL 1.2, and that cannot open the display where the game runs. The shim stands in for it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libsdl1.2-compat-shim")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
