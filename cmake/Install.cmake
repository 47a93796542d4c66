# Installation and Debian packages.
#
# Components, one Debian package each:
#   runtime      libkrprof_host.so and the krprof tool          -> krprof
#   development  public headers, krprof.pc, the CMake package    -> krprof-dev
#   platform     the stand-in of the platform's logging library,
#                libkranalyzer.so.1.10                           -> krprof-kranalyzer-standin
# The stand-in has a package of its own because on a KORA system the platform
# provides the real libkranalyzer.so.1.10: the runtime depends on the virtual
# package libkranalyzer1.10, which the stand-in provides and which the
# platform's package of the real library is to provide as well; the stand-in
# conflicts with any other provider, since both ship the same file.

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

# Debian packages: cpack -G DEB writes one package per component.
set(CPACK_PACKAGE_NAME krprof)
set(CPACK_PACKAGE_VENDOR "KORA")
set(CPACK_PACKAGE_CONTACT "KORA profiling team <krprof@kora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Host side of the KORA GPU performance-metrics interface")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development platform)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg names the build machine's architecture; a cross build names its target.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# Library dependencies (libprotobuf, libstdc++, libc) from dpkg-shlibdeps;
# the dependencies between the components from the component graph. The
# stand-in is no system library: dpkg-shlibdeps finds it in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_target_property(kranalyzer_build_dir kranalyzer BINARY_DIR)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${kranalyzer_build_dir})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "libkrprof_host.so and the krprof command-line tool")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME krprof)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS libkranalyzer1.10)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)

set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "Headers, pkg-config file and CMake package of libkrprof_host.so")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME krprof-dev)

set(CPACK_COMPONENT_PLATFORM_DESCRIPTION "Stand-in for the KORA platform's logging library libkranalyzer.so.1.10")
set(CPACK_DEBIAN_PLATFORM_PACKAGE_NAME krprof-kranalyzer-standin)
set(CPACK_DEBIAN_PLATFORM_PACKAGE_PROVIDES libkranalyzer1.10)
set(CPACK_DEBIAN_PLATFORM_PACKAGE_CONFLICTS libkranalyzer1.10)
set(CPACK_DEBIAN_PLATFORM_PACKAGE_SECTION libs)

include(CPack)
