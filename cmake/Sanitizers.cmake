# AddressSanitizer + UBSan for the whole build when VARNELLO_SANITIZE is on.
if(VARNELLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
