# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before each generator runs. A Debian package must name its
# maintainer, and Pexaro has no address of its own to put there.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
    message(FATAL_ERROR "Set PEXARO_MAINTAINER (\"Name <mail address>\") to build the package.")
endif()
