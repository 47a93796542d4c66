# libkrprof_host.so and the static archive of the same objects that white-box
# tests and benchmarks link instead of loading the shared library.

set(KRPROF_PROTO ${PROJECT_SOURCE_DIR}/src/impl/krpti_protobuf.proto)
set(KRPROF_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
set(KRPROF_PB_SOURCES ${KRPROF_GENERATED_DIR}/krpti_protobuf.pb.cc ${KRPROF_GENERATED_DIR}/krpti_protobuf.pb.h)

# protoc's -I is the schema's own folder, so the schema registers under the
# bare file name "krpti_protobuf.proto".
add_custom_command(
  OUTPUT ${KRPROF_PB_SOURCES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KRPROF_GENERATED_DIR}
  COMMAND protobuf::protoc --cpp_out=${KRPROF_GENERATED_DIR} -I ${PROJECT_SOURCE_DIR}/src/impl ${KRPROF_PROTO}
  DEPENDS ${KRPROF_PROTO}
  COMMENT "Generating message code from krpti_protobuf.proto"
  VERBATIM)

# Static initialisers run in link order: the schema and default instances
# (generated code), then the host-context holder, then the logger.
add_library(krprof_objects OBJECT
  ${KRPROF_PB_SOURCES}
  src/impl/tprf_config.cpp
  src/impl/tprf_debug.cpp
  src/tprf_common.cpp
  src/tprf_host.cpp
  src/tprf_kr_host.cpp)
target_include_directories(krprof_objects
  PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
  PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/impl ${KRPROF_GENERATED_DIR})
target_link_libraries(krprof_objects PUBLIC protobuf::libprotobuf krlog::kranalyzer Threads::Threads)
set_target_properties(krprof_objects PROPERTIES
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

# The export list: the working entry points and every inert one named in the
# src/*_inert.def lists.
set(KRPROF_WORKING_ENTRY_POINTS
  TPRA_GetProcAddress
  TPRF_RawMetricsConfig_GetConfigImage
  TPRF_RawMetricsConfig_GetConfigImage_Impl
  TPRF_CounterDataBuilder_GetCounterDataPrefix
  TPRF_CounterDataBuilder_GetCounterDataPrefix_Impl
  TPRF_CounterData_GetNumRanges_Impl
  TPRF_MetricsEvaluator_EvaluateToGpuValues
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Impl)
file(GLOB KRPROF_INERT_LISTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*_inert.def)
set(KRPROF_EXPORTS ${KRPROF_WORKING_ENTRY_POINTS})
foreach(list_file IN LISTS KRPROF_INERT_LISTS)
  file(STRINGS ${list_file} lines REGEX "^TPRF_INERT_ENTRY_POINT\\(")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^TPRF_INERT_ENTRY_POINT\\(([A-Za-z0-9_]+)\\).*" "\\1" name "${line}")
    list(APPEND KRPROF_EXPORTS ${name})
  endforeach()
endforeach()
list(SORT KRPROF_EXPORTS)
list(JOIN KRPROF_EXPORTS ";\n    " KRPROF_EXPORT_LINES)
set(KRPROF_VERSION_SCRIPT ${PROJECT_BINARY_DIR}/libkrprof_host.map)
file(CONFIGURE OUTPUT ${KRPROF_VERSION_SCRIPT} CONTENT "{\n  global:\n    ${KRPROF_EXPORT_LINES};\n  local:\n    *;\n};\n")

add_library(krprof_host SHARED $<TARGET_OBJECTS:krprof_objects>)
add_library(krprof::krprof_host ALIAS krprof_host)
target_include_directories(krprof_host PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(krprof_host PRIVATE protobuf::libprotobuf krlog::kranalyzer Threads::Threads)
# -z nodelete keeps the library mapped after dlclose. The protobuf runtime
# outlives the library and keeps the schema registration, which points into
# the library's memory: a host's later look-up of the schema reads it, and a
# second dlopen must find the library still there rather than register the
# schema again. The exit-time destruction then runs at process exit.
target_link_options(krprof_host PRIVATE
  -Wl,--version-script=${KRPROF_VERSION_SCRIPT}
  -Wl,-Bsymbolic
  -Wl,-z,nodelete)
if(NOT KRPROF_SANITIZE)
  # Sanitizer runtimes live in the executable, so only a plain build can
  # insist that the library resolves every reference at link time.
  target_link_options(krprof_host PRIVATE -Wl,--no-undefined)
endif()
set_target_properties(krprof_host PROPERTIES
  OUTPUT_NAME krprof_host
  LINK_DEPENDS ${KRPROF_VERSION_SCRIPT})

add_library(krprof_host_static STATIC $<TARGET_OBJECTS:krprof_objects>)
target_include_directories(krprof_host_static PUBLIC
  ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/impl ${KRPROF_GENERATED_DIR})
target_link_libraries(krprof_host_static PUBLIC protobuf::libprotobuf krlog::kranalyzer Threads::Threads)
