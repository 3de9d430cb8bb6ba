# Install for a home server: `cmake --install BUILD --prefix PREFIX` puts
# rokuban-cli, its manual page and bash completion (both made from the built
# program's --help, so they follow the command line) and systemd user units
# under PREFIX; `cpack -G DEB` in the build folder makes a .deb of the same.
# The Windows release is a folder to unpack instead (scripts/package.sh).
if(WIN32)
  return()
endif()
include(GNUInstallDirs)

install(TARGETS rokuban-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Made by running the program, so not in the sanitizer and fuzzing builds,
# where its exit would answer for leaks too.
find_package(Python3 COMPONENTS Interpreter)
if(ROKUBAN_SANITIZE OR ROKUBAN_FUZZ)
elseif(Python3_Interpreter_FOUND)
  set(reference ${CMAKE_SOURCE_DIR}/scripts/cli_reference.py)
  set(man_page ${CMAKE_BINARY_DIR}/packaging/rokuban-cli.1)
  set(completion ${CMAKE_BINARY_DIR}/packaging/rokuban-cli.bash)
  # Compressed as Debian keeps manual pages; -n leaves out the name and time,
  # so the same page gives the same bytes.
  add_custom_command(OUTPUT ${man_page}.gz ${completion}
    COMMAND ${Python3_EXECUTABLE} ${reference} $<TARGET_FILE:rokuban-cli> man ${man_page}
    COMMAND gzip -9nf ${man_page}
    COMMAND ${Python3_EXECUTABLE} ${reference} $<TARGET_FILE:rokuban-cli> bash ${completion}
    DEPENDS rokuban-cli ${reference}
    COMMENT "Writing rokuban-cli's manual page and bash completion from its --help")
  add_custom_target(rokuban_cli_reference ALL DEPENDS ${man_page}.gz ${completion})
  install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME rokuban-cli)
else()
  message(STATUS "No python3: rokuban-cli is installed without its manual page and completion")
endif()

# User units, found by `systemctl --user` under /usr/lib/systemd/user and
# /usr/local/lib/systemd/user; with another prefix, link them into
# ~/.config/systemd/user or set ROKUBAN_USER_UNIT_DIR. Their sandbox is the
# drop-in folder rokuban-.service.d beside them, which systemd applies to
# every rokuban-*.service. Their ExecStart names
# the installed rokuban-cli, so they are written at install time, when the
# prefix (--prefix, or the package's /usr) is known.
set(ROKUBAN_USER_UNIT_DIR lib/systemd/user CACHE STRING "Where the systemd user units go, under the prefix")
install(CODE "set(rokuban_units_source \"${CMAKE_SOURCE_DIR}/packaging/systemd\")
  set(rokuban_units_build \"${CMAKE_BINARY_DIR}/packaging\")
  set(rokuban_bindir \"${CMAKE_INSTALL_BINDIR}\")
  set(rokuban_unit_dir \"${ROKUBAN_USER_UNIT_DIR}\")")
install(CODE [[
  set(ROKUBAN_CLI "${CMAKE_INSTALL_PREFIX}/${rokuban_bindir}/rokuban-cli")
  set(units "${rokuban_units_source}/rokuban-crawl.timer")
  foreach(unit rokuban-crawl.service rokuban-guide-server.service rokuban-sync-server.service)
    configure_file("${rokuban_units_source}/${unit}.in" "${rokuban_units_build}/${unit}" @ONLY)
    list(APPEND units "${rokuban_units_build}/${unit}")
  endforeach()
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${rokuban_unit_dir}" TYPE FILE FILES ${units})
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${rokuban_unit_dir}" TYPE DIRECTORY
       FILES "${rokuban_units_source}/rokuban-.service.d")
]])

# The .deb: the version the program shows, its libraries found by
# dpkg-shlibdeps, symbols stripped.
file(STRINGS ${CMAKE_SOURCE_DIR}/config/version.h version_line REGEX "kVersionLabel")
string(REGEX REPLACE ".*\"v?([^\"]*)\".*" "\\1" ROKUBAN_VERSION "${version_line}")

# What Debian asks of every package's documentation folder: the copyright,
# and (a native package) the changelog, compressed.
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog)
configure_file(${CMAKE_SOURCE_DIR}/packaging/deb/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz COMMAND gzip -9nkf ${changelog} DEPENDS ${changelog})
add_custom_target(rokuban_package_docs ALL DEPENDS ${changelog}.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/deb/copyright ${changelog}.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rokuban-cli)
set(CPACK_PACKAGE_NAME rokuban-cli)
set(CPACK_PACKAGE_VERSION ${ROKUBAN_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps a week of television programme guide and serves it")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "The Rokuban engine without a window, for home servers: it crawls a television
guide (or reads XMLTV) into a cache of table files, shows, searches and exports
it, and serves it to browsers (guide-server) and to other machines
(sync-server). Comes with systemd user units for a daily crawl and both
servers.")
set(CPACK_PACKAGE_CONTACT "Rokuban developers <rokuban@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
