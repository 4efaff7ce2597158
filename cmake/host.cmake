# Native build: the portable rules of core/ and their unit tests, under ASan and UBSan.
set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(core PRIVATE ${SANITIZERS})
target_link_options(core PUBLIC ${SANITIZERS})

if(BUILD_TESTS)
  sources_of(HOST_TEST_SOURCES tests/host)
  add_executable(host_tests ${HOST_TEST_SOURCES})
  project_target_options(host_tests)
  target_compile_options(host_tests PRIVATE ${SANITIZERS})
  target_link_libraries(host_tests PRIVATE core GTest::gtest_main)
  gtest_discover_tests(host_tests TEST_PREFIX "host." PROPERTIES LABELS host)
endif()
