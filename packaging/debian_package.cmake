# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by cpack in the build folder: kvorscope_<version>_<arch>.deb with
# stripped programs, and kvorscope-dbgsym_<version>_<arch>.ddeb with their debug symbols.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvorscope)
set(CPACK_PACKAGE_VENDOR "K-VOR-PX Scope developers")
set(CPACK_PACKAGE_CONTACT "K-VOR-PX Scope developers <scope@kvor.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin; Qt only recommends them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# cpack splits the debug symbols off the programs into the -dbgsym package and strips them.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip_comments.cmake)
# First line the synopsis, then the long description (cpack indents it, and writes an empty
# line as the lone " ." of a control file).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "operating program for K-VOR-PX optical line sensors
The K-VOR-PX Scope operates one sensor of the K-VOR-PX series of optical
through-beam line sensors over an RS-232 line. With it an operator identifies
the sensor, watches the measurement live (edges, measuring value, size in
micrometres, tolerance, a bar graph of the pixel line and a strip chart),
looks at the raw CCD video signal, reads and writes the sensor's parameter set
in RAM, EEPROM or a file, teaches the setpoint and runs a two-point
calibration.

The package also contains kvor-sensor-sim, a simulated sensor that answers on a
pseudo-terminal exactly like a real one, for trying the scope without
hardware.")
include(CPack)
