# Shared target settings: one place for warnings, so every library and test builds alike.

function(ranvo_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  # g++ 12 reports false -Wrestrict overlaps inside std::string at -O3 (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(RANVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# ranvo_core_library(<name> SOURCES ... [DEPENDS ...])
# One static library per subsystem of the core. The core is standard C++ (and iconv) only: it never
# sees Qt's include paths, so a Qt include in it fails to build.
function(ranvo_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  ranvo_set_warnings(${name})
endfunction()

# ranvo_core_test(<name> SOURCES ... DEPENDS ...)
# One GoogleTest executable per core subsystem, run by CTest.
function(ranvo_core_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} ranvo_test_support GTest::gtest_main)
  ranvo_set_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "RANVO_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
