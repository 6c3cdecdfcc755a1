cmake_minimum_required(VERSION 3.25)
# The Debian package is versioned by debian/changelog, the program by project(): they must agree.
file(STRINGS ${CHANGELOG} first LIMIT_COUNT 1)
if(NOT first MATCHES "^lumaro \\(([^)]+)\\)")
  message(FATAL_ERROR "debian/changelog does not begin with an entry of lumaro: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "debian/changelog is at ${CMAKE_MATCH_1}, the program at ${VERSION}: add a changelog entry")
endif()
