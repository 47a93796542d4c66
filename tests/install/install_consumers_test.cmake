# Installs the build into a fresh prefix and builds the programs of examples/
# against it, as the README tells a user to: with pkg-config (run path from
# pkg-config's libdir) and with find_package(krprof) (CMAKE_PREFIX_PATH). The
# programs, and the installed krprof tool, must run from the prefix alone and
# print what the library answers. The pkg-config builds stay in
# WORK_DIR/pkgconfig, beside the prefix, for the README's transcripts.
#
# cmake -DBUILD_DIR= -DEXAMPLES_DIR= -DWORK_DIR= -DC_COMPILER= -DGENERATOR=
#       -P install_consumers_test.cmake

set(prefix ${WORK_DIR}/prefix)
set(examples evaluate_image get_images)
set(warning_flags -std=c11 -Wall -Wextra -Werror)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/pkgconfig)

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

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The installed tool, found through its own run path, makes the counter-data
# image; its simulated device tells the total the image holds.
run(${prefix}/bin/krprof demo -o ${WORK_DIR}/counter-data.bin)
if(NOT output MATCHES "\\(expected ([0-9]+)\\): match")
  message(FATAL_ERROR "krprof demo printed\n${output}")
endif()
set(total ${CMAKE_MATCH_1})

# Configuration image and counter-data prefix as the library writes them.
set(get_images_output
  "configuration image (63 bytes): 0a 3d 0a 3b 08 ff 01 20 06 2a 19 0a 15 66 62 5f 73 75 62 70 30 5f 72 65 61 64 5f 73 65 63 74 6f 72 73 10 09 2a 19 0a 15 66 62 5f 73 75 62 70 31 5f 72 65 61 64 5f 73 65 63 74 6f 72 73 10 0a\n"
  "counter-data prefix (12 bytes): 0a 0a 08 06 10 ff 01 18 ff 01 20 02\n")
string(CONCAT get_images_output ${get_images_output})
set(evaluate_image_output "ranges: 1\nread sectors: ${total}\n")

function(check_examples dir)
  run(${dir}/get_images)
  expect_output("${dir}/get_images" "${get_images_output}")
  run(${dir}/evaluate_image ${WORK_DIR}/counter-data.bin)
  expect_output("${dir}/evaluate_image" "${evaluate_image_output}")
endfunction()

# With pkg-config, as a Makefile would; the installed headers must be
# warning-free C11.
file(GLOB_RECURSE pc_file ${prefix}/krprof.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run(pkg-config --cflags --libs krprof)
separate_arguments(pkg_flags UNIX_COMMAND "${output}")
run(pkg-config --variable=libdir krprof)
string(STRIP "${output}" libdir)
foreach(example IN LISTS examples)
  run(${C_COMPILER} ${warning_flags} -o ${WORK_DIR}/pkgconfig/${example} ${EXAMPLES_DIR}/${example}.c
      ${pkg_flags} -Wl,-rpath,${libdir})
endforeach()
check_examples(${WORK_DIR}/pkgconfig)

# With find_package(krprof), examples/CMakeLists.txt as it is.
list(JOIN warning_flags " " c_flags)
run(${CMAKE_COMMAND} -S ${EXAMPLES_DIR} -B ${WORK_DIR}/cmake -G ${GENERATOR}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_C_FLAGS=${c_flags} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake)
check_examples(${WORK_DIR}/cmake)
