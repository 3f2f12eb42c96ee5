# GoogleTest from Debian's source package, built with the cross compiler.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${GTEST_SOURCE_DIR}/googletest/src/gtest-all.cc)
  message(FATAL_ERROR "GoogleTest source not found in ${GTEST_SOURCE_DIR}; run tools/setup.sh")
endif()
add_library(gtest STATIC ${GTEST_SOURCE_DIR}/googletest/src/gtest-all.cc)
target_include_directories(gtest SYSTEM PUBLIC ${GTEST_SOURCE_DIR}/googletest/include
                                        PRIVATE ${GTEST_SOURCE_DIR}/googletest)
add_library(gmock STATIC ${GTEST_SOURCE_DIR}/googlemock/src/gmock-all.cc)
target_include_directories(gmock SYSTEM PUBLIC ${GTEST_SOURCE_DIR}/googlemock/include
                                        PRIVATE ${GTEST_SOURCE_DIR}/googlemock)
target_link_libraries(gmock PUBLIC gtest)
foreach(t gtest gmock)
  target_compile_options(${t} PRIVATE -w)
endforeach()
