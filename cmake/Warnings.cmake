# Compiler warnings for our own targets, through one interface target.
add_library(varnello_warnings INTERFACE)
target_compile_options(varnello_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-align -Wunused -Wformat=2 -Wimplicit-fallthrough)
if(VARNELLO_WERROR)
  target_compile_options(varnello_warnings INTERFACE -Werror)
endif()
