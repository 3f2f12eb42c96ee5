# skirmora_separate_debug_info(<target>): after each link, the target's debug information moves
# into <file>.debug beside it, named in the binary (gdb finds it there). What Windows maps at
# each start then holds only code, data and resources: the loader reads an image section by
# section, and the tens of megabytes of debug sections took more of the client's start-up than
# all of its own start-up code.
function(skirmora_separate_debug_info target)
  if(NOT CMAKE_OBJCOPY)
    return()
  endif()
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
endfunction()
