# `cpack -G DEB` in the build folder makes tarvolinde_<version>_<arch>.deb from the
# install rules. Library dependencies come from dpkg-shlibdeps; Depends and
# Recommends below name what Qt loads at run time, which it cannot see.
set(TARVOLINDE_PACKAGE_MAINTAINER "The Tarvolinde developers <tarvolinde@users.noreply.github.com>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvolinde)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvolinde developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ZX Spectrum emulator")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVOLINDE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb platform plugin draws the window; Qt's own Spanish texts are optional.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The summary above is the first line; CPack indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tarvolinde emulates eighteen models of the Sinclair ZX Spectrum family and its
clones, from the 16K to the +3e, the Pentagon and the Scorpion, cycle by cycle
and at the speed of the real machine. It loads tapes, snapshots, +3 disk and
hard-disk images, also from ZIP archives, records and replays RZX files and has
a debugger. OpenSE BASIC stands in for the Sinclair ROMs.

tarvolinde is the desktop program; tarvolinde-cli runs machines without a
display, for scripts and tests.")

include(CPack)
