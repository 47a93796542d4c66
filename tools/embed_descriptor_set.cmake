# Writes the binary file INPUT as a C++ source file OUTPUT that defines the
# byte array krprof_tool::kSchemaDescriptorSet and its size.
#   cmake -DINPUT=file.desc -DOUTPUT=file.cpp -P embed_descriptor_set.cmake

file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")

file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.
#include <cstddef>

namespace krprof_tool {

extern const unsigned char kSchemaDescriptorSet[] = {
    ${bytes}
};
extern const std::size_t kSchemaDescriptorSetSize = ${size};

} // namespace krprof_tool
")
