# Installation, in three components:
#   runtime      libkrprof_host.so, the krprof tool and its manual page
#   development  public headers, krprof.pc, the CMake package
#   platform     the stand-in of the platform's logging library,
#                libkranalyzer.so.1.10
# The Debian packages (debian/) split the runtime component further: the
# library and the tool go to packages of their own.

include(CMakePackageConfigHelpers)

set(KRPROF_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/krprof)

# Installed binaries find their libraries relative to themselves, so an
# installed tree runs from any prefix: the library finds the logging library
# beside it, the tool finds both in the library directory.
file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(krprof_host PROPERTIES INSTALL_RPATH "$ORIGIN")
if(TARGET krprof)
  set_target_properties(krprof PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
endif()

install(TARGETS kranalyzer
  EXPORT krprofTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT platform)
install(TARGETS krprof_host
  EXPORT krprofTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime)
if(TARGET krprof)
  install(TARGETS krprof RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/krprof
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT development
  FILES_MATCHING PATTERN "*.h")

# CMake package: find_package(krprof) gives krprof::krprof_host. The logging
# library is exported beside it (as krprof::kranalyzer) so that consumers link
# against the library with the NEEDED logging library found (-rpath-link).
install(EXPORT krprofTargets
  NAMESPACE krprof::
  DESTINATION ${KRPROF_CMAKE_PACKAGE_DIR}
  COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/krprofConfig.cmake.in
  ${PROJECT_BINARY_DIR}/krprofConfig.cmake
  INSTALL_DESTINATION ${KRPROF_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/krprofConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/krprofConfig.cmake ${PROJECT_BINARY_DIR}/krprofConfigVersion.cmake
  DESTINATION ${KRPROF_CMAKE_PACKAGE_DIR}
  COMPONENT development)

# pkg-config: relative to the .pc file, so that the same file serves every
# prefix, including the /usr of the Debian packages.
set(KRPROF_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH KRPROF_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" KRPROF_PC_TO_PREFIX "${KRPROF_PC_TO_PREFIX}")
file(RELATIVE_PATH KRPROF_PC_PREFIX_TO_LIBDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH KRPROF_PC_PREFIX_TO_INCLUDEDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_INCLUDEDIR})
configure_file(${PROJECT_SOURCE_DIR}/cmake/krprof.pc.in ${PROJECT_BINARY_DIR}/krprof.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/krprof.pc DESTINATION ${KRPROF_PKGCONFIG_DIR} COMPONENT development)
