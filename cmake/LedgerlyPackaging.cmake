# The installed layout and the Debian package built from it, under the
# folders of LedgerlyInstallDirs (here with their usual values):
#
#   bin/ledgerly, bin/ledgerly-check
#   share/ledgerly/starter.ledgerly.md
#   share/applications/org.ledgerly.Ledgerly.desktop
#   share/metainfo/org.ledgerly.Ledgerly.metainfo.xml
#   share/icons/hicolor/scalable/apps/ledgerly.svg
#   share/man/man1/ledgerly.1.gz, share/man/man1/ledgerly-check.1.gz
#   share/doc/ledgerly/copyright, share/doc/ledgerly/changelog.gz
#   share/lintian/overrides/ledgerly
#
# The application's own rules (Sources/Ledgerly, Resources) install the tray
# program, the starter file, the desktop entry, the metadata and the icon;
# the menu icons are compiled in, so no other icon is installed.

find_program(LEDGERLY_GZIP gzip REQUIRED)

# ledgerly_gzip(target output_variable file...): a target of the default
# build that compresses each file into <build>/gzipped/<name>.gz; the list
# of those goes to output_variable.
function(ledgerly_gzip target output_variable)
  set(outputs)
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME)
    set(output ${PROJECT_BINARY_DIR}/gzipped/${name}.gz)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gzipped
      COMMAND ${CMAKE_COMMAND} -DGZIP=${LEDGERLY_GZIP} -DSOURCE=${file} -DDESTINATION=${output}
        -P ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
      DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
  set(${output_variable} ${outputs} PARENT_SCOPE)
endfunction()

install(TARGETS ledgerly-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A stripped install (CPack's) also drops the compilers' version notes, as
# dh_strip does. Runs after the programs' own install rules.
set(_ledgerly_programs ledgerly-check)
if(LEDGERLY_BUILD_DESKTOP)
  list(APPEND _ledgerly_programs ledgerly)
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(_ledgerly_installed_bindir "\$ENV{DESTDIR}${CMAKE_INSTALL_BINDIR}")
else()
  set(_ledgerly_installed_bindir "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
endif()
foreach(program IN LISTS _ledgerly_programs)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"${_ledgerly_installed_bindir}/${program}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endforeach()

set(_ledgerly_manual_pages ${PROJECT_SOURCE_DIR}/Docs/man/ledgerly-check.1)
if(LEDGERLY_BUILD_DESKTOP)
  list(APPEND _ledgerly_manual_pages ${PROJECT_SOURCE_DIR}/Docs/man/ledgerly.1)
endif()
ledgerly_gzip(LedgerlyManualPages _ledgerly_compressed_pages ${_ledgerly_manual_pages})
install(FILES ${_ledgerly_compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# A native package's changelog is changelog.gz in the Debian format; its top
# entry's version is the project's (Tests/Packaging checks it).
ledgerly_gzip(LedgerlyChangelog _ledgerly_changelog ${PROJECT_SOURCE_DIR}/Resources/debian/changelog)
install(FILES ${_ledgerly_changelog} ${PROJECT_SOURCE_DIR}/Resources/debian/copyright
  DESTINATION ${LEDGERLY_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/Resources/debian/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ledgerly)

# `cpack -G DEB` in the build folder, or the package target, writes
# ledgerly_<version>_<arch>.deb.
set(LEDGERLY_PACKAGE_MAINTAINER "Ledgerly maintainers <maintainers@ledgerly.example>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ledgerly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ledgerly")
set(CPACK_PACKAGE_CONTACT "${LEDGERLY_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tray bookmark launcher driven by one Markdown file")
set(CPACK_PACKAGE_DESCRIPTION
  "Ledgerly keeps your bookmarks in one plain Markdown file of your own and
turns it into a tray menu: links that open, snippets that copy, submenus
from headings, labels and dividers. The menu is rebuilt the moment the file
changes, and every line that cannot be used is reported as a line-numbered
warning.

ledgerly-check checks bookmark files from the command line, in an editor,
a pre-commit hook or CI, and prints the menu a file gives.")
# Builds are not installed as root, so the umask of whoever packages must not
# leak into the package's folders.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LEDGERLY_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(LEDGERLY_BUILD_DESKTOP)
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  # Loaded at run time, so invisible to dpkg-shlibdeps: Qt's xcb platform
  # plugin, and a session bus for the single instance and `ledgerly
  # --show-menu`. libqt6svg6, which also holds the SVG icon plugins, comes
  # from the binary's link to QtSvg.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, default-dbus-session-bus | dbus-session-bus")
  # Links and files are opened through xdg-open outside the big desktops;
  # Qt's Wayland plugin makes Ledgerly a native client of Wayland sessions
  # (without it, it runs through XWayland).
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
else()
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
endif()

set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

include(CPack)
