# Compiler warnings for our own targets, through one interface target.
add_library(varnello_warnings INTERFACE)
target_compile_options(varnello_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-align -Wunused -Wformat=2 -Wimplicit-fallthrough
  -Wconversion -Wsign-conversion -Wold-style-cast -Wdouble-promotion
  # GCC's inliner reports null dereferences inside GoogleTest's comparison helpers that cannot
  # happen, so test executables (property VARNELLO_TEST) go without this one.
  $<$<NOT:$<BOOL:$<TARGET_PROPERTY:VARNELLO_TEST>>>:-Wnull-dereference>)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(varnello_warnings INTERFACE
    -Wuseless-cast -Wduplicated-cond -Wduplicated-branches -Wlogical-op)
endif()
if(VARNELLO_WERROR)
  target_compile_options(varnello_warnings INTERFACE -Werror)
endif()
