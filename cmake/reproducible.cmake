# Two builds of one commit give the same bytes, whatever folders they run in:
# no link time stamp in the PE header and no folder paths in the code
# (__FILE__ in the standard library's and our own messages).
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options(-Wl,--no-insert-timestamp)
