# Windows builds (i686 deliverables, x86_64 for the tests under wine64): the Win32 layers,
# the two programs, and on win64 the win and e2e test programs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# A program on the CD must start on a bare Windows: runtimes linked in, system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)
# Libraries export plain names (no @0 decoration on i686), as GetProcAddress callers look
# them up (DllRegisterServer).
set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -Wl,--kill-at")
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(JPEG_DIR ${DEPS_DIR}/libjpeg-x86)
else()
  set(JPEG_DIR ${DEPS_DIR}/libjpeg-x86_64)
endif()
add_library(jpeg STATIC IMPORTED)
set_target_properties(jpeg PROPERTIES IMPORTED_LOCATION ${JPEG_DIR}/lib/libjpeg.a
                                      INTERFACE_INCLUDE_DIRECTORIES ${JPEG_DIR}/include)
# The medium checker's picture check decodes JPEG pictures in core.
target_link_libraries(core PUBLIC jpeg)

# A layer is the library made of one folder's sources (an interface library while empty).
function(add_layer name dir)
  sources_of(files ${dir})
  if(files)
    add_library(${name} STATIC ${files})
    project_target_options(${name})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

add_layer(win win core kernel32 user32 advapi32 shell32 ole32 oleaut32 uuid)
add_layer(ui ui win core gdi32 comctl32 msimg32)
add_layer(common common win core)
add_layer(setup_engine setup/engine common win core)
add_layer(setup_system setup/system common win core)

# Resource scripts are UTF-8 (Persian version texts); their file names are relative to the
# source root.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}")

# A program: its folder's sources and resource script, a GUI subsystem program.
function(add_program name dir)
  sources_of(files ${dir})
  file(GLOB rc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.rc)
  add_executable(${name} WIN32 ${files} ${rc})
  # The resource script names pictures, icons and the manifest in assets/: rebuild it when
  # they change.
  file(GLOB assets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*.jpg ${CMAKE_SOURCE_DIR}/assets/*.ico
       ${CMAKE_SOURCE_DIR}/assets/*.manifest)
  if(rc)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${assets}")
  endif()
  project_target_options(${name})
  target_link_libraries(${name} PRIVATE ${ARGN})
  # The 32-bit programs are the ones shipped on the CD: without symbols.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    target_link_options(${name} PRIVATE -s)
  endif()
  # Import check: every DLL the program names must be part of Windows itself.
  add_test(NAME imports.${CMAKE_SYSTEM_PROCESSOR}.${name}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${name}>
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
  set_tests_properties(imports.${CMAKE_SYSTEM_PROCESSOR}.${name} PROPERTIES LABELS imports)
endfunction()

add_program(setup setup setup_system setup_engine ui common win core)
add_program(uninstall uninstall ui common win core)

# The medium checker for product authors, a console program.
add_executable(medium_check tools/medium_check/main.cpp tools/medium_check/medium_folder.cpp)
project_target_options(medium_check)
target_link_libraries(medium_check PRIVATE win core)

if(BUILD_TESTS)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
  # Tests find the built programs and the test data through these paths.
  set(TEST_PATHS BIN_DIR="${CMAKE_BINARY_DIR}/bin" SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # The win tests of each build: tier win for x86_64; tier win32 for i686, run under WoW64
  # (scripts/wine-run). In 32-bit processes Wine 8.0 draws nothing: its GDI calls on device
  # contexts and metafiles (CreateCompatibleDC, SelectObject, GetPixel, text extents,
  # CreateEnhMetaFile, ...) return 0 under WoW64. The tests whose results come from such
  # calls are left out there; every other win test runs.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(WIN_TIER win32)
    set(NEEDS_GDI "PictureFile.JpegDecodesToItsSizeAndColours:PictureFile.AnEnhancedMetafileHasItsFramesSizeInPixels:Kit.ALabelSizedToItsTextKeepsItsLeftEdge:KitLabelText.*")
  else()
    set(WIN_TIER win)
    set(NEEDS_GDI "")
  endif()

  # One suite of a test program, discovered as CTest tests when ctest runs. OWN names the
  # variable that gives each test a prefix (WINE_OWN_PREFIX) or a display and prefix
  # (WINE_OWN_DISPLAY) of its own, with the test drives of scripts/test-drives; "-" runs them
  # in the run's shared prefix. TIMEOUT and LOCALE may be "-": CTest's default, the caller's
  # locale. The locale goes through ENVIRONMENT_MODIFICATION, as gtest_discover_tests keeps
  # only the first variable of an ENVIRONMENT list.
  function(discover_suite program prefix filter label timeout own locale)
    set(properties LABELS ${label})
    if(NOT timeout STREQUAL "-")
      list(APPEND properties TIMEOUT ${timeout})
    endif()
    if(NOT own STREQUAL "-")
      list(APPEND properties FIXTURES_REQUIRED test_drives ENVIRONMENT ${own}=1)
    endif()
    if(NOT locale STREQUAL "-")
      list(APPEND properties ENVIRONMENT_MODIFICATION LC_ALL=set:${locale})
    endif()
    gtest_discover_tests(${program} TEST_PREFIX "${prefix}" DISCOVERY_MODE PRE_TEST
                         TEST_FILTER "${filter}" DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endfunction()

  # The support of every Windows test program and of the demo driver (tests/support): files,
  # programs and windows driven as a user does, the sample medium.
  sources_of(TEST_SUPPORT_SOURCES tests/support)
  add_library(test_support STATIC ${TEST_SUPPORT_SOURCES})
  project_target_options(test_support)
  target_compile_definitions(test_support PRIVATE ${TEST_PATHS})
  target_link_libraries(test_support PUBLIC core GTest::gtest user32 gdi32 advapi32 shell32 ole32 uuid)

  sources_of(WIN_TEST_SOURCES tests/win)
  if(WIN_TEST_SOURCES)
    add_executable(win_tests ${WIN_TEST_SOURCES})
    project_target_options(win_tests)
    target_compile_definitions(win_tests PRIVATE ${TEST_PATHS})
    target_link_libraries(win_tests PRIVATE setup_system setup_engine ui common win core
                                            test_support GTest::gtest_main)
    # The medium checker's Windows listing, tested on real folders.
    target_sources(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools/medium_check/medium_folder.cpp)
    # The uninstaller's removal steps, tested on real folders.
    target_sources(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/uninstall/removal.cpp)
    add_dependencies(win_tests medium_check)
    # Suites named *InOwnPrefix change the machine (HKLM, the system or fonts folder, the
    # regional settings): each of their tests runs in its own copy of the template prefix,
    # under the Western code page (see docs/wine.md).
    discover_suite(win_tests "${WIN_TIER}." "-*InOwnPrefix.*:${NEEDS_GDI}" ${WIN_TIER} - - -)
    discover_suite(win_tests "${WIN_TIER}." "*InOwnPrefix.*-${NEEDS_GDI}" ${WIN_TIER} - WINE_OWN_PREFIX
                   C.UTF-8)
    # The message dialogs once more under the Persian locale, where Wine labels the buttons
    # of a message box in Persian.
    discover_suite(win_tests "win.fa." "KitDialogs.*" win - - fa_IR.UTF-8)

    # Test-only libraries for the system files tests (tests/win/libraries): a COM server
    # whose DllRegisterServer leaves a marker, and a library without that entry point.
    foreach(library test_com_server test_plain_library)
      add_library(${library} SHARED ${CMAKE_SOURCE_DIR}/tests/win/libraries/test_library.cpp)
      set_target_properties(${library} PROPERTIES PREFIX "")
      target_link_libraries(${library} PRIVATE advapi32)
      add_dependencies(win_tests ${library})
    endforeach()
    target_compile_definitions(test_com_server PRIVATE WITH_REGISTER_ENTRY)
  endif()

  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_test(NAME win32.MediumCheck.ReportsAsTheX86_64BuildDoes
             COMMAND ${CMAKE_SOURCE_DIR}/tests/win/medium_check_bitness.sh
                     ${CMAKE_BINARY_DIR}/medium-check-medium)
    set_tests_properties(win32.MediumCheck.ReportsAsTheX86_64BuildDoes PROPERTIES LABELS win32)
  endif()
endif()

if(BUILD_TESTS AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")

  sources_of(E2E_SOURCES tests/e2e)
  add_executable(e2e_tests ${E2E_SOURCES})
  project_target_options(e2e_tests)
  target_compile_definitions(e2e_tests PRIVATE ${TEST_PATHS})
  target_link_libraries(e2e_tests PRIVATE core test_support GTest::gtest_main version)
  add_dependencies(e2e_tests setup uninstall)
  # The suite runs twice: under a Western ANSI code page (1252) and under the Persian one
  # (1256, which LC_ALL=fa_IR.UTF-8 gives Wine), since the Persian texts must read the same.
  discover_suite(e2e_tests "e2e." "-*InOwnPrefix.*:*OnOwnScreen.*" e2e 120 - C)
  discover_suite(e2e_tests "e2e.fa." "-*InOwnPrefix.*:*OnOwnScreen.*" e2e 120 - fa_IR.UTF-8)
  # Installations change the machine: like the win suites above, each *InOwnPrefix test
  # runs in its own prefix, which has the test drives S: and M: of scripts/test-drives.
  add_test(NAME e2e.TestDrives COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-drives)
  set_tests_properties(e2e.TestDrives PROPERTIES LABELS e2e FIXTURES_SETUP test_drives)
  add_test(NAME e2e.TestDrivesUnmount COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-drives --unmount)
  set_tests_properties(e2e.TestDrivesUnmount PROPERTIES LABELS e2e FIXTURES_CLEANUP test_drives)
  discover_suite(e2e_tests "e2e." "*InOwnPrefix.*" e2e 300 WINE_OWN_PREFIX C.UTF-8)
  # The shipped programs, the win32 build's, installed and removed again under WoW64 by the
  # round trip, in its own copy of the WoW64 template (tier win32). Added by itself, with
  # add_test, as it needs three variables. It must run
  # and pass its one test (a filter that matches nothing would pass too). Only the case with
  # the proposed folder: under WoW64 the folder chooser does not close on its OK button
  # (docs/wine.md).
  get_filename_component(SHIPPED_BIN_DIR ${CMAKE_BINARY_DIR}/../win32/bin ABSOLUTE)
  foreach(trip Plain)
    add_test(NAME win32.e2e.UninstallRoundTrip.${trip}
             COMMAND e2e_tests --gtest_filter=*/UninstallRoundTripInOwnPrefix.*/${trip})
    set_tests_properties(win32.e2e.UninstallRoundTrip.${trip} PROPERTIES LABELS win32 TIMEOUT 300
                         PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
                         ENVIRONMENT "WINE_OWN_PREFIX=1;WINE_WOW64=1;E2E_PROGRAMS=${SHIPPED_BIN_DIR}")
  endforeach()
  # What the shipped programs leave on the machine after a round trip, under the Western code
  # page as the win64 run of the same test.
  add_test(NAME win32.e2e.RoundTripSnapshot
           COMMAND e2e_tests --gtest_filter=RoundTripSnapshotInOwnPrefix.*)
  set_tests_properties(win32.e2e.RoundTripSnapshot PROPERTIES LABELS win32 TIMEOUT 300
                       PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
                       ENVIRONMENT "WINE_OWN_PREFIX=1;WINE_WOW64=1;E2E_PROGRAMS=${SHIPPED_BIN_DIR};LC_ALL=C.UTF-8")
  # Suites named *OnOwnScreen read the screen's pixels: a prefix and an Xvfb display of their
  # own (WINE_OWN_DISPLAY brings both), so that no window of a test running beside them covers
  # what they read.
  discover_suite(e2e_tests "e2e." "*OnOwnScreen.*" e2e 300 WINE_OWN_DISPLAY C.UTF-8)
  # The round trip runs under the Persian code page too: a product with Persian names
  # installs and removes the same under both.
  discover_suite(e2e_tests "e2e.fa." "*UninstallRoundTripInOwnPrefix.*" e2e 300 WINE_OWN_PREFIX
                 fa_IR.UTF-8)

  # scripts/screenshots clicks controls by their IDs with it.
  add_executable(click_control ${CMAKE_SOURCE_DIR}/tests/support/click_control/main.cpp)
  project_target_options(click_control)
  target_link_libraries(click_control PRIVATE test_support)

  # make demo's driver: installs a medium and removes it again, as a user would.
  add_executable(demo_driver ${CMAKE_SOURCE_DIR}/tools/demo/demo.cpp)
  project_target_options(demo_driver)
  target_link_libraries(demo_driver PRIVATE common win core test_support)
  add_dependencies(demo_driver setup uninstall sample_product sample_server)
endif()

# The sample product and its system library, carried by the sample medium (scripts/make-medium).
add_program(sample_product sample/product)
add_library(sample_server SHARED sample/comserver/comserver.cpp)
set_target_properties(sample_server PROPERTIES PREFIX "" OUTPUT_NAME SampleServer)
target_link_libraries(sample_server PRIVATE advapi32)
# make bench (scripts/bench): its driver, and the minimal window the installer's start-up is
# measured against.
if(BUILD_TESTS AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  add_executable(bench_driver ${CMAKE_SOURCE_DIR}/bench/driver.cpp)
  project_target_options(bench_driver)
  target_link_libraries(bench_driver PRIVATE common win core test_support)
  add_executable(bench_window WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window.cpp)
  project_target_options(bench_window)
endif()
