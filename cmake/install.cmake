# cmake --install: the program and its manual page; the headers, the static
# library, a CMake config package and a pkg-config file for C++ users; the
# SQLite extension beside the library (lib/morvek.so, for `.load
# PREFIX/lib/morvek`). cpack -G DEB: all of that as a Debian package.

include(CMakePackageConfigHelpers)

set(MORVEK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/morvek)

install(TARGETS morvek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/morvek.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(TARGETS morvek_lib EXPORT morvek-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET morvek_sqlite)
  install(TARGETS morvek_sqlite LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(DIRECTORY include/morvek DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_BINARY_DIR}/include/morvek/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/morvek)
install(EXPORT morvek-targets NAMESPACE morvek:: DESTINATION ${MORVEK_CMAKE_DIR})

configure_package_config_file(cmake/morvek-config.cmake.in ${PROJECT_BINARY_DIR}/morvek-config.cmake
  INSTALL_DESTINATION ${MORVEK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/morvek-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/morvek-config.cmake ${PROJECT_BINARY_DIR}/morvek-config-version.cmake
  DESTINATION ${MORVEK_CMAKE_DIR})

# The prefix is found from the file's own place, so the package works
# wherever the tree is installed.
file(RELATIVE_PATH MORVEK_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" MORVEK_PC_PREFIX "${MORVEK_PC_PREFIX}")
configure_file(cmake/morvek.pc.in ${PROJECT_BINARY_DIR}/morvek.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/morvek.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_PACKAGE_NAME morvek)
set(CPACK_PACKAGE_VENDOR "Morvek")
set(CPACK_PACKAGE_CONTACT "Morvek developers <morvek@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
include(CPack)
