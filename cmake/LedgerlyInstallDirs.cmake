# Install folders from GNUInstallDirs, so that a distribution's usual
# -DCMAKE_INSTALL_* settings apply, and the two folders named after the
# package rather than the project (whose name has a capital).
include(GNUInstallDirs)

# The starter file and whatever else the application reads at run time.
set(LEDGERLY_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/ledgerly)
# The copyright file and the changelog, where Debian Policy puts them.
set(LEDGERLY_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/ledgerly)

# The installed program finds its data folder from its own folder, so the
# relative path between the two is compiled in (InstalledBundleResources).
file(RELATIVE_PATH LEDGERLY_DATADIR_FROM_BINDIR
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/ledgerly)
