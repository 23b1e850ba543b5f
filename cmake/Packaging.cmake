# The Debian package, built by CPack from the install rules:
#     cpack --config build/CPackConfig.cmake -B build
# (scripts/package.sh does it). Depends is computed by dpkg-shlibdeps from
# the shared libraries the two programs really link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dipole-pattern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The dipole-pattern developers")
set(CPACK_PACKAGE_CONTACT "The dipole-pattern developers <dipole@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Russian texts for the file, print and message dialogs; the
# libraries' dependencies are added by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# dipole-render --nec runs the moment-method solver as a program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS nec2c)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis; the rest is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[radiation pattern of a centre-fed dipole, for teaching
A teaching tool for antenna theory. It computes the far-field radiation
pattern of a centre-fed (symmetric) dipole whose length is given in
wavelengths and draws it in polar coordinates and in rectangular
coordinates, with a bracket that marks the beam width at 0.7 of the
maximum. A third page overlays the patterns of up to seven lengths; both
pictures can be saved as bitmap files. The user interface is in Russian.

dipole-render draws the same pictures from the command line, without a
window or a display.]=])

include(CPack)
