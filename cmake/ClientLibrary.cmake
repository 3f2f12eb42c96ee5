# skirmora_client_library(<name> [LINKS <libs...>]): a static library of every .cpp below the
# current folder, its folder on the include path, linked to the libraries it builds on.
# The client's folders are layers: LINKS names only layers below this one, so the link graph
# stays free of cycles (tools/check-layers.sh checks the includes agree).
function(skirmora_client_library name)
  cmake_parse_arguments(L "" "" "LINKS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()
