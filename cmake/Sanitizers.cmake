# AddressSanitizer + UBSan through one interface target that every target of ours links, so the
# switch reaches our code and nothing else. The fuzz build instruments the same code for coverage.
add_library(varnello_sanitizers INTERFACE)
if(VARNELLO_SANITIZE OR VARNELLO_FUZZ)
  set(varnello_sanitize_list address,undefined)
  if(VARNELLO_FUZZ)
    set(varnello_sanitize_list fuzzer-no-link,address,undefined)
  endif()
  target_compile_options(varnello_sanitizers INTERFACE
    -fsanitize=${varnello_sanitize_list} -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(varnello_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# The options every target of ours builds with: warnings and, when switched on, the sanitizers.
add_library(varnello_options INTERFACE)
target_link_libraries(varnello_options INTERFACE varnello_warnings varnello_sanitizers)
