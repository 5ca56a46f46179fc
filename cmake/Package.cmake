# make package: a .deb of what the install rules put under /usr, with the libraries it
# needs found by dpkg-shlibdeps.
set(QUORBIN_PACKAGE_MAINTAINER "The Quorbin developers <quorbin@users.noreply.github.com>"
    CACHE STRING "The Maintainer field of the .deb")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorbin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${QUORBIN_VENDOR})
set(CPACK_PACKAGE_CONTACT ${QUORBIN_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "run a video processing program over a batch of files, unattended")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorbin drives a command-line video processing program over a batch of input files,\n"
    "one file at a time. It fills a script template with each file's path, starts the\n"
    "program, watches its output grow, moves on when it exits or stalls, and retries a\n"
    "job that runs past the time-out. Every step is logged with its time.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quorbin/quorbin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The example wrappers in /usr/share/doc/quorbin/examples run these.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ffmpeg, wine")

include(CPack)
