# Warnings and sanitizers shared by every target of the project.

add_compile_options(-Wall -Wextra -Wshadow $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
if(KRPROF_WERROR)
  add_compile_options(-Werror)
endif()

if(KRPROF_SANITIZE)
  set(sanitize_flags -fsanitize=${KRPROF_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  if(KRPROF_BUILD_FUZZERS)
    # Coverage for libFuzzer in everything the fuzz targets reach.
    list(APPEND sanitize_flags -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${sanitize_flags})
  add_link_options(-fsanitize=${KRPROF_SANITIZE}
    # C programs that load the C++ library need the C++ part of the runtime.
    "$<$<LINK_LANGUAGE:C>:-fsanitize-link-c++-runtime;-lstdc++>")
endif()
