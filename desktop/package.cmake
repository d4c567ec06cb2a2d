# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made from the install tree: `make package`, or
# `cpack --config build/CPackConfig.cmake`. The libraries the program links
# come from dpkg-shlibdeps; what it loads or draws with at run time is named
# here: the toolkit's X11 platform plugin and the IPA fonts that stand in for
# the Japanese system fonts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME surasura)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timed mental-arithmetic drill for older adults (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION
    "すらすら算数帳 is a drill of 100 sums (addition, subtraction and multiplication of 0 to 19)
with a Japanese interface in large type. It times every answer, logs it with its
verdict, keeps a history of finished drills in the working directory and draws it
as a chart of the share of right answers and the time taken.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "surasura maintainers" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SURASURA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-ipafont-mincho")
# The Japanese texts of the toolkit's own buttons (the error box's).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
