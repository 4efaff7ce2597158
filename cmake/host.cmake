# Native build: the portable rules of core/ and their unit tests, under ASan and UBSan.
set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(core PRIVATE ${SANITIZERS})
target_link_options(core PUBLIC ${SANITIZERS})
# The picture check of the medium checker decodes JPEG pictures with the system's libjpeg.
find_package(JPEG REQUIRED)
target_link_libraries(core PUBLIC JPEG::JPEG)

# The medium checker for product authors, as a native program.
add_executable(medium_check tools/medium_check/main.cpp tools/medium_check/medium_folder.cpp)
project_target_options(medium_check)
target_compile_options(medium_check PRIVATE ${SANITIZERS})
target_link_libraries(medium_check PRIVATE core)

if(BUILD_TESTS)
  sources_of(HOST_TEST_SOURCES tests/host)
  add_executable(host_tests ${HOST_TEST_SOURCES})
  project_target_options(host_tests)
  target_compile_options(host_tests PRIVATE ${SANITIZERS})
  target_link_libraries(host_tests PRIVATE core GTest::gtest_main)
  gtest_discover_tests(host_tests TEST_PREFIX "host." PROPERTIES LABELS host)

  # The checker on the sample medium of the win64 build, made afresh in a folder of its own:
  # no error may come out. It needs the win64 programs, so it belongs to the win tier.
  add_test(NAME win.MediumCheck.SampleMediumHasNoErrors
           COMMAND sh -c "\"$0\" win64 \"$1\" >/dev/null && \"$2\" \"$1\""
                   ${CMAKE_SOURCE_DIR}/scripts/make-medium ${CMAKE_BINARY_DIR}/sample-medium
                   $<TARGET_FILE:medium_check>)
  set_tests_properties(win.MediumCheck.SampleMediumHasNoErrors PROPERTIES LABELS win
                       FAIL_REGULAR_EXPRESSION "error:")

  # The checker on hostile media (NUL bytes, UTF-16, link loops): it ends and reports them.
  add_test(NAME host.MediumCheck.HostileMediaEndAndAreReported
           COMMAND ${CMAKE_SOURCE_DIR}/tests/host/medium_check_inputs.sh
                   $<TARGET_FILE:medium_check> ${CMAKE_BINARY_DIR}/hostile-media)
  set_tests_properties(host.MediumCheck.HostileMediaEndAndAreReported PROPERTIES LABELS host)
endif()
