# The Windows packages, built into this tree by the target windows_packages (part of the
# default build; make package and tools/windows package build it too):
#   quorbin-<version>-win64.zip  quorbin.exe, quorbin-run.exe, README.txt and LICENSE.txt
#                                in one folder
#   quorbin-<version>-setup.exe  a per-user installer made by makensis from
#                                cmake/quorbin-setup.nsi.in
# Written by hand rather than by CPack: CPack's NSIS template installs for the whole
# machine (administrator rights, HKLM) and would have to be replaced whole to install
# per user, and the version, the files and the uninstall entry are clearer in one script.
set(QUORBIN_WIN_PACKAGE quorbin-${PROJECT_VERSION}-win64)
set(QUORBIN_WIN_ZIP ${CMAKE_BINARY_DIR}/${QUORBIN_WIN_PACKAGE}.zip)
set(QUORBIN_WIN_SETUP ${CMAKE_BINARY_DIR}/quorbin-${PROJECT_VERSION}-setup.exe)
set(QUORBIN_WIN_STAGE ${CMAKE_BINARY_DIR}/packages/${QUORBIN_WIN_PACKAGE})

find_program(QUORBIN_MAKENSIS makensis)
if(NOT TARGET quorbin OR NOT QUORBIN_MAKENSIS)
    message(STATUS "No Windows packages: needs quorbin.exe and makensis (Debian package nsis)")
    return()
endif()

# The files as they ship: the program, and the texts with Windows line ends. The README
# is Windows' own, plain text (README.md is the clone's and the .deb's).
set(windows_readme ${CMAKE_BINARY_DIR}/packages/README-windows.txt)
configure_file(${PROJECT_SOURCE_DIR}/docs/README-windows.txt.in ${windows_readme} @ONLY)
set(stage_texts
    ${QUORBIN_WIN_STAGE}/README.txt ${windows_readme}
    ${QUORBIN_WIN_STAGE}/LICENSE.txt ${PROJECT_SOURCE_DIR}/LICENSE)
set(staged ${QUORBIN_WIN_STAGE}/quorbin.exe ${QUORBIN_WIN_STAGE}/quorbin-run.exe)
set(stage_commands
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorbin> ${QUORBIN_WIN_STAGE}/quorbin.exe
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorbin-run> ${QUORBIN_WIN_STAGE}/quorbin-run.exe)
while(stage_texts)
    list(POP_FRONT stage_texts to from)
    list(APPEND staged ${to})
    list(APPEND stage_commands
        COMMAND ${CMAKE_COMMAND} -DFROM=${from} -DTO=${to} -P ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake)
endwhile()
add_custom_command(OUTPUT ${staged}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORBIN_WIN_STAGE}
    ${stage_commands}
    DEPENDS quorbin quorbin-run ${windows_readme} ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake
    COMMENT "Staging the files of the Windows packages"
    VERBATIM)

add_custom_command(OUTPUT ${QUORBIN_WIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QUORBIN_WIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${QUORBIN_WIN_ZIP} --format=zip ${QUORBIN_WIN_PACKAGE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packages
    DEPENDS ${staged}
    COMMENT "Packing ${QUORBIN_WIN_PACKAGE}.zip"
    VERBATIM)

# The installer's script, with the project's version and vendor.
set(QUORBIN_NSI ${CMAKE_BINARY_DIR}/packages/quorbin-setup.nsi)
configure_file(${PROJECT_SOURCE_DIR}/cmake/quorbin-setup.nsi.in ${QUORBIN_NSI} @ONLY)
add_custom_command(OUTPUT ${QUORBIN_WIN_SETUP}
    COMMAND ${QUORBIN_MAKENSIS} -V2 -WX -NOCD ${QUORBIN_NSI}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packages
    DEPENDS ${staged} ${QUORBIN_NSI}
    COMMENT "Making quorbin-${PROJECT_VERSION}-setup.exe"
    VERBATIM)

add_custom_target(windows_packages ALL DEPENDS ${QUORBIN_WIN_ZIP} ${QUORBIN_WIN_SETUP})
