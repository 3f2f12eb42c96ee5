# skirmora_add_gtest(NAME <exe> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>] [LOCKS <names...>])
# One test executable per area, one CTest entry per executable, run under Wine. LOCKS names
# what the program shares with others of the run and must have to itself while it runs.
function(skirmora_add_gtest)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LOCKS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE test_support gmock gtest ${T_LIBS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
                       WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

# The client's main window is one per session (a second client started meanwhile finds it and
# ends), and the socket control's class registration is rewritten by every program that
# registers it: programs that show the main window or register the control run one at a time.
# Programs that trust the test certificate authority for their run (adding it to the machine's
# root store and removing it at the end) take certificate_stores. Programs that check captures
# of the display take display, and so do those whose windows would cover what they capture.
set(SKIRMORA_SESSION_LOCKS main_window control_registration display)
