# The Win32 build: the add-in DLL, the launcher, and the test programs that Wine runs.
enable_language(RC)
# One self-contained DLL: no MinGW runtime DLLs to ship beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

# Pictures are drawn by a generator built for this machine, then compiled in as resources.
set(ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
file(MAKE_DIRECTORY ${ASSET_DIR})
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(MKASSETS_SOURCES ${CMAKE_SOURCE_DIR}/src/assets/mkassets.cpp)
file(GLOB ASSET_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/assets/*.h ${CMAKE_SOURCE_DIR}/src/core/*.h)
foreach(s ${CORE_SOURCES} ${ASSET_SOURCES})
  list(APPEND MKASSETS_SOURCES ${CMAKE_SOURCE_DIR}/${s})
endforeach()
add_custom_command(
  OUTPUT ${ASSET_DIR}/mkassets
  COMMAND ${HOST_CXX} -std=c++20 -O1 -o ${ASSET_DIR}/mkassets ${MKASSETS_SOURCES}
  DEPENDS ${MKASSETS_SOURCES} ${ASSET_HEADERS}
  COMMENT "Building the picture generator")
set(ASSET_FILES palette_basic.bmp palette_quick.bmp palette_grey.bmp pipette.cur
  main_background.bmp close_normal.bmp close_down.bmp min_normal.bmp min_down.bmp)
foreach(face cmd_insert cmd_copy cmd_capture cmd_about cmd_rgb_menu cmd_insert_fav cmd_copy_fav cmd_ac_fav)
  list(APPEND ASSET_FILES ${face}_up.bmp ${face}_over.bmp ${face}_down.bmp)
endforeach()
list(TRANSFORM ASSET_FILES PREPEND ${ASSET_DIR}/)
add_custom_command(
  OUTPUT ${ASSET_FILES}
  COMMAND ${ASSET_DIR}/mkassets ${ASSET_DIR}
  DEPENDS ${ASSET_DIR}/mkassets
  COMMENT "Drawing the add-in's pictures")
set_source_files_properties(src/assets/assets.rc PROPERTIES OBJECT_DEPENDS "${ASSET_FILES}")
add_library(hv_resources OBJECT src/assets/assets.rc)
target_include_directories(hv_resources PRIVATE ${ASSET_DIR} ${CMAKE_SOURCE_DIR}/src/assets)

file(GLOB RUNTIME_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/runtime/*.cpp)
file(GLOB PRODUCT_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/colour/*.cpp
  ${CMAKE_SOURCE_DIR}/src/controls/*.cpp
  ${CMAKE_SOURCE_DIR}/src/output/*.cpp
  ${CMAKE_SOURCE_DIR}/src/capture/*.cpp
  ${CMAKE_SOURCE_DIR}/src/forms/*.cpp)

# Everything but the DLL's entry points, so the tests link the same code.
add_library(hv_product STATIC ${CORE_SOURCES} ${ASSET_SOURCES} ${RUNTIME_SOURCES} ${PRODUCT_SOURCES})
target_include_directories(hv_product PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(hv_product PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(hv_product PUBLIC comctl32 comdlg32 gdi32 user32 advapi32 shell32 ole32 oleaut32 uuid)

add_library(Pigmora SHARED src/connect/dllmain.cpp $<TARGET_OBJECTS:hv_resources>)
set_target_properties(Pigmora PROPERTIES PREFIX "" OUTPUT_NAME Pigmora)
target_link_libraries(Pigmora PRIVATE hv_product)
target_link_options(Pigmora PRIVATE -Wl,--kill-at)

add_executable(huevista-launch WIN32 tools/launch.cpp)


# Tests
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE hv_product GTest::gtest_main)
add_test(NAME core_tests_win32 COMMAND core_tests)

add_executable(clipboard_holder tests/support/clipboard_holder.cpp)
add_executable(url_recorder tests/support/url_recorder.cpp)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/win/*.cpp ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER WIN_TEST_SOURCES EXCLUDE REGEX "(clipboard_holder|url_recorder).cpp$")
add_executable(window_tests ${WIN_TEST_SOURCES} $<TARGET_OBJECTS:hv_resources>)
target_include_directories(window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(window_tests PRIVATE hv_product GTest::gtest_main)
add_dependencies(window_tests clipboard_holder url_recorder)
add_test(NAME window_tests COMMAND window_tests --gtest_filter=-PaletteDisplay.*)
add_test(NAME window_tests_palette_display
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/run_on_palette_display.sh
          $<TARGET_FILE:window_tests> ${CMAKE_BINARY_DIR}/palette-display)

# Benchmarks (bench/NAME.cpp becomes the program NAME) print figures; they are not tests.
# The controls gallery shows the button faces and swatches for a look or a screenshot.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(bench ${src} NAME_WE)
  add_executable(${bench} ${src} $<TARGET_OBJECTS:hv_resources>)
  target_link_libraries(${bench} PRIVATE hv_product)
endforeach()
add_executable(controls-gallery WIN32 tools/controls_gallery.cpp $<TARGET_OBJECTS:hv_resources>)
target_link_libraries(controls-gallery PRIVATE hv_product)
