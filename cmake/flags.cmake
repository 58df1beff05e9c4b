# Settings shared by every target of ours (not by the dependencies).

# Texts are GBK at run time; sources are UTF-8.
set(LANJIAN_CXX_FLAGS -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=GBK)

# Hardening: stack protector and checked string functions; address-space layout
# randomisation and data execution prevention in every executable.
list(APPEND LANJIAN_CXX_FLAGS -fstack-protector-strong -D_FORTIFY_SOURCE=2)

# Reproducible output: no build paths in the objects, no time stamps in the PE.
list(APPEND LANJIAN_CXX_FLAGS -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_link_options(-Wl,--dynamicbase,--nxcompat,--no-insert-timestamp -fstack-protector-strong)

# The product keeps the heavy parts of the C++ library out: no exceptions, no
# RTTI, sections that the linker can drop.
set(LANJIAN_LEAN_FLAGS -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections)
set(LANJIAN_EXE_LINK -static -Wl,--gc-sections -s)

# lanjian_library(name sources...): a static library of ours.
function(lanjian_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${LANJIAN_CXX_FLAGS} ${LANJIAN_LEAN_FLAGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# lanjian_test(name sources... LIBS libs...): a GoogleTest program, run under
# Wine through CTest in a prefix and on a display of its own.
function(lanjian_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE ${LANJIAN_CXX_FLAGS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  target_link_options(${name} PRIVATE -static)
  add_test(NAME ${name}
    COMMAND ${WINE_RUN} ${CMAKE_BINARY_DIR}/runs/${name} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "WINE_TEMPLATE=${WINE_TEMPLATE}")
endfunction()
