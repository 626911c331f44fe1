# The Debian package: cpack -G DEB in a build folder configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does it all).
set(VEMTAL_MAINTAINER "vemtal maintainers <vemtal@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vemtal)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture cube, printed quizzes of its nets and die traces")
set(CPACK_PACKAGE_DESCRIPTION
"A teaching aid about the cube, with a Czech user interface (English texts
ship too). Six pictures for the six faces of a cube become a VRML model of
the cube that the desktop's VRML viewer opens, a printed quiz sheet of twelve
nets of the cube, and a printed trace sheet of a die rolled over a grid.
Quizzes and traces are saved to files of their own and loaded again.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEMTAL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; these are what the program needs at
# run time besides them: the platform plug-ins (xcb), Qt's Czech texts for the
# standard buttons, the windows' font and the desktop's "open".
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation | fonts-liberation2, xdg-utils")
include(CPack)
