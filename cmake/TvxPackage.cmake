# `cpack -G DEB` makes tavolex_<version>_amd64.deb from the install rules: both programs and
# their command-line tools in one package. The library dependencies are computed from the
# binaries (dpkg-shlibdeps); the Japanese font the drawings need is named here.
set(CPACK_PACKAGE_NAME tavolex)
set(CPACK_PACKAGE_VENDOR "Tavolex developers")
set(CPACK_PACKAGE_CONTACT "Tavolex developers <tavolex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "panel and bar cutting planners")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary first and indents these lines itself; an empty line parts paragraphs.
set(CPACK_PACKAGE_DESCRIPTION
    "Tavolex lays rectangular parts out on stock panels (one size, or up to five
sizes with a price and a sheet limit each) with a saw kerf and straight
through-cuts, wasting the least area or money, and draws, prices and prints
the cutting plan. Quorlin assigns lengths to stock bars at the lowest cost.

The windows speak Japanese. The package also holds the command-line tools
tavolex-cli and quorlin-cli, help pages and sample jobs.")
include(CPack)
