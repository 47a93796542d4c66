# Decodes an image file with protoc against the message schema and compares
# the text with the content written by hand in an expected file. protoc is a
# decoder independent of the library: it builds the schema from the .proto
# file itself and prints every field it meets, unknown ones by number.
#
#   cmake -DPROTOC=... -DSCHEMA=.../krpti_protobuf.proto -DMESSAGE=tprf.pbEventGroupSets
#         -DIMAGE=image.bin -DEXPECTED=expected.textproto -P decode_with_protoc.cmake

foreach(variable PROTOC SCHEMA MESSAGE IMAGE EXPECTED)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "decode_with_protoc: ${variable} is not set")
  endif()
endforeach()

cmake_path(GET SCHEMA PARENT_PATH schema_dir)
cmake_path(GET SCHEMA FILENAME schema_file)
execute_process(
  COMMAND ${PROTOC} --decode=${MESSAGE} -I ${schema_dir} ${schema_file}
  INPUT_FILE ${IMAGE}
  OUTPUT_VARIABLE decoded
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "protoc cannot decode ${IMAGE} as ${MESSAGE} (${result}):\n${errors}")
endif()

file(READ ${EXPECTED} expected)
if(NOT decoded STREQUAL expected)
  message(FATAL_ERROR "${IMAGE} decoded as ${MESSAGE}:\n${decoded}\nexpected (${EXPECTED}):\n${expected}")
endif()
message(STATUS "${IMAGE} decodes as ${MESSAGE} to the expected content")
