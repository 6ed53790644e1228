# The Win32 build: the add-in DLL, the IDE host, and the test programs that Wine runs.
enable_language(RC)
# One self-contained DLL: no MinGW runtime DLLs to ship beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

# The shipped build (MinSizeRel): small code, unused sections dropped, and the DLL stripped
# after link with its debug information kept beside it for crash reports.
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  add_compile_options(-g -ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
  # The 32-bit DLL is optimised whole at link (about 12% smaller: the add-in's small helpers
  # and the standard library's templates are inlined or dropped across files). One partition,
  # and no mod/ref analysis: this MinGW GCC's split link fails on the DLL otherwise. -g at
  # link keeps the debug information in Pigmora.dll.debug.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Arguments pushed, not stored in a frame kept at 16 bytes (Win32 promises 4 anyway):
    # that needs no stack probes, so no frame may reach the 4 KB guard page.
    set(HV_LEAN_STACK -mno-stack-arg-probe -mpreferred-stack-boundary=2
        -Werror=frame-larger-than=4000)
    add_compile_options(-flto -fno-fat-lto-objects ${HV_LEAN_STACK})
    add_link_options(-g -flto=2 -flto-partition=one -fno-ipa-modref ${HV_LEAN_STACK})
  endif()
endif()

# Pictures are drawn by a generator built for this machine, then compiled in as resources.
set(ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
file(MAKE_DIRECTORY ${ASSET_DIR})
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(MKASSETS_SOURCES ${CMAKE_SOURCE_DIR}/tools/mkassets.cpp)
file(GLOB ASSET_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/assets/*.h ${CMAKE_SOURCE_DIR}/src/core/*.h)
foreach(s ${CORE_SOURCES} ${ASSET_SOURCES})
  list(APPEND MKASSETS_SOURCES ${CMAKE_SOURCE_DIR}/${s})
endforeach()
add_custom_command(
  OUTPUT ${ASSET_DIR}/mkassets
  COMMAND ${HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR}/src -o ${ASSET_DIR}/mkassets ${MKASSETS_SOURCES}
  DEPENDS ${MKASSETS_SOURCES} ${ASSET_HEADERS}
  COMMENT "Building the picture generator")
# The generator's table is the one list of pictures: it writes them and the resource script.
add_custom_command(
  OUTPUT ${ASSET_DIR}/assets.rc
  COMMAND ${ASSET_DIR}/mkassets ${ASSET_DIR}
  DEPENDS ${ASSET_DIR}/mkassets
  COMMENT "Drawing the add-in's pictures")

# Type libraries and their headers, from IDL. widl takes IUnknown and IDispatch from Wine's
# stdole2.tlb of the same bitness.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WIDL_ARCH -m64)
  set(WINE_PE_DIRS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows)
else()
  set(WIDL_ARCH -m32)
  set(WINE_PE_DIRS /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows)
endif()
find_program(WIDL NAMES ${TOOLCHAIN_PREFIX}-widl widl REQUIRED)
find_file(STDOLE2_TLB stdole2.tlb PATHS ${WINE_PE_DIRS}
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
get_filename_component(STDOLE2_DIR ${STDOLE2_TLB} DIRECTORY)
set(IDL_DIR ${CMAKE_SOURCE_DIR}/src/connect/idl)
set(IDL_OUT ${CMAKE_BINARY_DIR}/idl)
file(MAKE_DIRECTORY ${IDL_OUT})
set(WIDL_FLAGS ${WIDL_ARCH} -I${IDL_DIR} -L${STDOLE2_DIR} -L${IDL_OUT})
add_custom_command(
  OUTPUT ${IDL_OUT}/addin_designer.tlb ${IDL_OUT}/addin_designer.h
  COMMAND ${WIDL} ${WIDL_FLAGS} -t -o ${IDL_OUT}/addin_designer.tlb ${IDL_DIR}/addin_designer.idl
  COMMAND ${WIDL} ${WIDL_FLAGS} -h -o ${IDL_OUT}/addin_designer.h ${IDL_DIR}/addin_designer.idl
  DEPENDS ${IDL_DIR}/addin_designer.idl ${IDL_DIR}/oabase.idl
  COMMENT "Compiling the add-in designer interface")
add_custom_command(
  OUTPUT ${IDL_OUT}/pigmora.tlb ${IDL_OUT}/pigmora.h
  COMMAND ${WIDL} ${WIDL_FLAGS} -t -o ${IDL_OUT}/pigmora.tlb ${IDL_DIR}/pigmora.idl
  COMMAND ${WIDL} ${WIDL_FLAGS} -h -o ${IDL_OUT}/pigmora.h ${IDL_DIR}/pigmora.idl
  DEPENDS ${IDL_DIR}/pigmora.idl ${IDL_OUT}/addin_designer.tlb
  COMMENT "Compiling the Pigmora type library")
add_custom_target(hv_idl DEPENDS ${IDL_OUT}/pigmora.tlb ${IDL_OUT}/pigmora.h
                                 ${IDL_OUT}/addin_designer.h)
set_source_files_properties(src/connect/connect.rc PROPERTIES
  OBJECT_DEPENDS "${IDL_OUT}/pigmora.tlb;${IDL_OUT}/addin_designer.tlb")

add_library(hv_resources OBJECT ${ASSET_DIR}/assets.rc src/connect/connect.rc)
target_include_directories(hv_resources PRIVATE ${ASSET_DIR} ${CMAKE_SOURCE_DIR}/src/assets ${IDL_OUT})

# The product, a floor at a time (cmake/floors.cmake): each sees and links only the floors below.
include(cmake/floors.cmake)
hv_floor(core ROOMS core assets SOURCES ${CORE_SOURCES} ${ASSET_SOURCES})
hv_floor(runtime ROOMS runtime BELOW core)
hv_floor(store ROOMS store BELOW runtime)
hv_floor(ide ROOMS ide BELOW runtime)
hv_floor(controls ROOMS controls BELOW runtime)
hv_floor(colour ROOMS colour BELOW store ide controls)
hv_floor(capture ROOMS capture BELOW colour)
hv_floor(forms ROOMS forms BELOW capture)
# The DLL's exported entry points belong to the DLL alone, so the tests link the same code.
file(GLOB CONNECT_SOURCES RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/connect/*.cpp)
list(FILTER CONNECT_SOURCES EXCLUDE REGEX "/(dll_exports|lean_runtime|lean_threads)\\.cpp$")
hv_floor(connect ROOMS connect BELOW forms SOURCES ${CONNECT_SOURCES})
set(HV_FLOORS core runtime store ide controls colour capture forms connect)

target_compile_definitions(hv_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(hv_runtime PUBLIC comctl32 comdlg32 gdi32 user32 advapi32 shell32 ole32 oleaut32 oleacc uuid)
target_include_directories(hv_forms PRIVATE ${HV_GENERATED_DIR})
target_include_directories(hv_connect PUBLIC ${IDL_OUT} ${IDL_DIR})
add_dependencies(hv_connect hv_idl)
foreach(floor ${HV_FLOORS})
  # Every function-level static of the add-in is first reached on the IDE's UI thread (the
  # other threads, the clipboard's copy and restore, reach none), so their guards would only
  # cost bytes.
  target_compile_options(hv_${floor} PRIVATE -fno-threadsafe-statics)
endforeach()
# The whole product, for the DLL, the tests and the benchmarks.
add_library(hv_product INTERFACE)
target_link_libraries(hv_product INTERFACE hv_connect)

add_library(Pigmora SHARED ${HV_VIEWS}/connect/src/connect/dll_exports.cpp
                    ${HV_VIEWS}/connect/src/connect/lean_runtime.cpp
                    ${HV_VIEWS}/connect/src/connect/lean_threads.cpp
                    src/connect/pigmora.def src/connect/pigmora_version.rc
                    $<TARGET_OBJECTS:hv_resources>)
set_source_files_properties(src/connect/pigmora_version.rc tests/host/idehost_version.rc PROPERTIES
  OBJECT_DEPENDS "${HV_GENERATED_DIR}/version.h;${CMAKE_SOURCE_DIR}/src/version.rc")
set_target_properties(Pigmora PROPERTIES PREFIX "" OUTPUT_NAME Pigmora)
target_include_directories(Pigmora PRIVATE ${HV_GENERATED_DIR})
target_link_libraries(Pigmora PRIVATE hv_product)
target_link_options(Pigmora PRIVATE -Wl,--kill-at)
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  target_link_options(Pigmora PRIVATE -Wl,-Map=${CMAKE_BINARY_DIR}/Pigmora.map)
  add_custom_command(TARGET Pigmora POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Pigmora> $<TARGET_FILE:Pigmora>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:Pigmora>.debug
            $<TARGET_FILE:Pigmora>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:Pigmora>
    COMMENT "Stripping Pigmora.dll, its debug information to Pigmora.dll.debug")
endif()

# The IDE host: plays the VB6 IDE for add-ins. It uses nothing of the product.
file(GLOB HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
list(FILTER HOST_SOURCES EXCLUDE REGEX "/host/main\\.cpp$")
add_library(hv_host STATIC ${HOST_SOURCES})
target_include_directories(hv_host PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR})
target_compile_definitions(hv_host PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(hv_host PUBLIC comctl32 comdlg32 gdi32 user32 advapi32 ole32 oleaut32 uuid)
add_executable(idehost WIN32 tests/host/main.cpp tests/host/idehost_version.rc)
target_include_directories(idehost PRIVATE ${HV_GENERATED_DIR})
target_link_options(idehost PRIVATE -municode)
target_link_libraries(idehost PRIVATE hv_host)

# Finds windows of the running host for scripts that drive it with real X input.
add_executable(uiprobe tests/driver/uiprobe.cpp)
target_link_options(uiprobe PRIVATE -municode)
target_link_libraries(uiprobe PRIVATE comctl32 gdi32)


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
# A program without a console: a console window would take the foreground from the tests.
add_executable(url_recorder WIN32 tests/support/url_recorder.cpp)
# Reads the windows from another process, as a screen reader does.
add_executable(acc_probe WIN32 tests/support/acc_probe.cpp)
target_link_libraries(acc_probe PRIVATE oleacc ole32 oleaut32 uuid)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/win/*.cpp ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER WIN_TEST_SOURCES EXCLUDE REGEX "(clipboard_holder|url_recorder|acc_probe).cpp$")
add_executable(window_tests ${WIN_TEST_SOURCES} $<TARGET_OBJECTS:hv_resources>)
target_include_directories(window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(window_tests PRIVATE hv_product GTest::gtest_main)
add_dependencies(window_tests clipboard_holder url_recorder acc_probe)
add_test(NAME window_tests COMMAND window_tests --gtest_filter=-PaletteDisplay.*)
add_test(NAME window_tests_palette_display
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/run_on_palette_display.sh
          $<TARGET_FILE:window_tests> ${CMAKE_BINARY_DIR}/palette-display)

# The DLL's own thread calls, linked alone without winpthread (a test framework would bring
# it back), under the C++ runtime's use of them.
add_executable(lean_threads_test tests/lean/lean_threads_test.cpp src/connect/lean_threads.cpp)
target_include_directories(lean_threads_test PRIVATE ${CMAKE_SOURCE_DIR}/src)
add_test(NAME lean_threads_test COMMAND lean_threads_test)
set_tests_properties(lean_threads_test PROPERTIES LABELS x64)

# Benchmarks (bench/NAME.cpp becomes the program NAME) print figures; they are not tests.
# The controls gallery shows the button faces and swatches for a look or a screenshot.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(bench ${src} NAME_WE)
  add_executable(${bench} ${src} $<TARGET_OBJECTS:hv_resources>)
  target_link_libraries(${bench} PRIVATE hv_host hv_product)
endforeach()
add_executable(controls-gallery WIN32 tools/controls_gallery.cpp $<TARGET_OBJECTS:hv_resources>)
target_link_libraries(controls-gallery PRIVATE hv_product)


# The add-in in the IDE host: connection, registration, the host's object model.
file(GLOB CONNECT_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/connect/*.cpp ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER CONNECT_TEST_SOURCES EXCLUDE REGEX "(clipboard_holder|url_recorder|acc_probe).cpp$")
add_executable(connect_tests ${CONNECT_TEST_SOURCES} $<TARGET_OBJECTS:hv_resources>)
target_include_directories(connect_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(connect_tests PRIVATE hv_host hv_product GTest::gtest)
add_dependencies(connect_tests Pigmora)
add_test(NAME connect_tests COMMAND connect_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
# The connection and code pane tests again, the host playing the Office VBA editor.
add_test(NAME connect_tests_vba
  COMMAND connect_tests
          --gtest_filter=ConnectionTest.*:CodePaneInsertTest.*:CodeColourTest.*:TeardownInModalTest.*:VbaEditorTest.*:Strict*:FormDesignerTest.*:FormColoursTest.*
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(connect_tests_vba PROPERTIES ENVIRONMENT IDEHOST_MODE=vba)

# From outside the process: the host program, the registered DLL, real X input.
add_test(NAME addin_in_host COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/addin_in_host.sh
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME insert_and_copy COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/insert_and_copy.sh
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME colour_in_code COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/colour_in_code.sh
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME form_colours COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/form_colours.sh
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
foreach(e2e addin_in_host insert_and_copy colour_in_code form_colours)
  add_test(NAME ${e2e}_vba COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${e2e}.sh
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(${e2e}_vba PROPERTIES ENVIRONMENT IDEHOST_ARGS=/vba)
endforeach()

# What the 64-bit run takes (label x64): everything whose code depends on the bitness (COM
# and the object model, registration beside the 32-bit DLL, window data, the clipboard, the
# capture), and the end-to-end runs in the VBA editor's mode, as 64-bit Office has it.
set_tests_properties(connect_tests connect_tests_vba window_tests addin_in_host_vba
                     insert_and_copy_vba colour_in_code_vba form_colours_vba PROPERTIES LABELS x64)

# The shipped DLL and its installer. scripts/test.sh builds the 32-bit DLL alone (MinSizeRel)
# into RELEASE_DIR; its 64-bit build is itself MinSizeRel, so there RELEASE_DIR is the build.
# The installer test builds its packages from that DLL in a Wine prefix of its own.
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  set(RELEASE_DIR_DEFAULT ${CMAKE_BINARY_DIR})
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(RELEASE_DIR_DEFAULT ${CMAKE_SOURCE_DIR}/build/release64)
else()
  set(RELEASE_DIR_DEFAULT ${CMAKE_SOURCE_DIR}/build/release)
endif()
set(RELEASE_DIR ${RELEASE_DIR_DEFAULT} CACHE PATH "The MinSizeRel build the release tests check")
add_test(NAME release_dll_budget
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/dll_budget.sh ${RELEASE_DIR}/Pigmora.dll)
add_test(NAME installer COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/installer.sh ${RELEASE_DIR}/Pigmora.dll
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
# The 64-bit package: installed, upgraded, loaded by the 64-bit host, removed.
set_tests_properties(release_dll_budget installer PROPERTIES LABELS x64)
