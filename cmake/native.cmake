# The native build: core and the picture code under AddressSanitizer and UBSan, and the
# picture generator.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

include(cmake/floors.cmake)
hv_floor(core ROOMS core assets SOURCES ${CORE_SOURCES} ${ASSET_SOURCES})
target_compile_options(hv_core PUBLIC ${SANITIZE})
target_link_options(hv_core PUBLIC ${SANITIZE})

add_executable(mkassets tools/mkassets.cpp)
target_link_libraries(mkassets PRIVATE hv_core)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE hv_core GTest::gtest_main)
add_test(NAME core_tests_native COMMAND core_tests)

# The host's member tables against the editors' published typings (scripts/setup.sh fetches
# them into the build folder).
if(DEFINED ENV{BUILD_DIR})
  set(TYPINGS_DIR $ENV{BUILD_DIR}/typings)
else()
  set(TYPINGS_DIR ${CMAKE_SOURCE_DIR}/build/typings)
endif()
add_test(NAME host_members_typings
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/typings/check_host_members.py
                 ${CMAKE_SOURCE_DIR} ${TYPINGS_DIR})
