# Installs the build into a fresh prefix and builds a small C consumer against
# it twice, with pkg-config and with find_package(krprof); both must run from
# the prefix alone and print what the library answers. The installed krprof
# tool must run from the prefix as well.
#
# cmake -DBUILD_DIR= -DCONSUMER_DIR= -DWORK_DIR= -DC_COMPILER= -DGENERATOR= -DVERSION=
#       -P install_consumers_test.cmake

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

function(expect_output what expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "${what} printed\n${output}\ninstead of\n${expected}")
  endif()
endfunction()

# Range count 1 and image size 63, both with TPRA_STATUS_SUCCESS (0).
set(consumer_output "ranges 0 1\nconfig image size 0 63\n")

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# With pkg-config, as a Makefile would: the consumer names the prefix's
# library directory as its run path; the logging library is found by the
# installed library itself. The installed headers must be warning-free C11.
file(GLOB_RECURSE pc_file ${prefix}/krprof.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run(pkg-config --cflags --libs krprof)
separate_arguments(pkg_flags UNIX_COMMAND "${output}")
run(pkg-config --variable=libdir krprof)
string(STRIP "${output}" libdir)
run(${C_COMPILER} -std=c11 -Wall -Wextra -Werror -o ${WORK_DIR}/consumer_pkgconfig ${CONSUMER_DIR}/consumer.c ${pkg_flags}
    -Wl,-rpath,${libdir})
run(${WORK_DIR}/consumer_pkgconfig)
expect_output("the pkg-config consumer" "${consumer_output}")

# With find_package(krprof).
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/consumer_cmake -G ${GENERATOR}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_PREFIX_PATH=${prefix}
    -DKRPROF_VERSION=${VERSION})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer_cmake)
run(${WORK_DIR}/consumer_cmake/consumer)
expect_output("the find_package consumer" "${consumer_output}")

# The installed tool, found through its own run path.
if(EXISTS ${prefix}/bin/krprof)
  run(${prefix}/bin/krprof prefix)
  expect_output("the installed krprof" "0a 0a 08 06 10 ff 01 18 ff 01 20 02\n")
endif()
