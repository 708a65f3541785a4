# The installed layout and the Debian package built from it.
#
#   bin/ledgerly, bin/ledgerly-check
#   share/ledgerly/starter.ledgerly.md
#   share/applications/ledgerly.desktop
#   share/icons/hicolor/scalable/apps/ledgerly.svg
#   share/man/man1/ledgerly.1, share/man/man1/ledgerly-check.1
#
# The paths are fixed rather than taken from GNUInstallDirs: the application
# finds its starter file at <prefix>/share/ledgerly from <prefix>/bin
# (InstalledBundleResources), so the two must not drift apart. The
# application's own rules (Sources/Ledgerly, Resources) install the tray
# program, the starter file, the desktop entry and the icon; the menu icons
# are compiled in, so no other icon is installed.

install(TARGETS ledgerly-check RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/Docs/man/ledgerly-check.1 DESTINATION share/man/man1)
if(LEDGERLY_BUILD_DESKTOP)
  install(FILES ${PROJECT_SOURCE_DIR}/Docs/man/ledgerly.1 DESTINATION share/man/man1)
endif()

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
