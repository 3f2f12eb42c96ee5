# skirmora_client_library(<name>): a static library of every .cpp below the current folder.
# The client's folders call each other (forms, modules and handlers reach across), so the
# libraries link each other; CMake repeats static libraries in such cycles on the link line.
function(skirmora_client_library name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
endfunction()
