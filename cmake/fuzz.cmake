# Fuzz build (make fuzz): clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer;
# one program per reader of outside bytes (fuzz/*.cpp), each linked with core.
set(FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
               -fno-omit-frame-pointer -g -O1)
# The texts header as code page 1256 bytes, found before the source tree's UTF-8 one; clang
# keeps the bytes of such literals as they are.
set(TEXTS_1256 ${CMAKE_BINARY_DIR}/texts-1256)
file(MAKE_DIRECTORY ${TEXTS_1256}/core)
execute_process(COMMAND iconv -f UTF-8 -t CP1256 -o ${TEXTS_1256}/core/texts.h
                        ${CMAKE_SOURCE_DIR}/core/texts.h RESULT_VARIABLE converted)
if(NOT converted EQUAL 0)
  message(FATAL_ERROR "iconv could not convert core/texts.h to code page 1256")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/core/texts.h)
target_include_directories(core BEFORE PUBLIC ${TEXTS_1256})
target_compile_options(core PUBLIC ${FUZZ_FLAGS} -Wno-invalid-source-encoding)
target_link_options(core PUBLIC -fsanitize=address,undefined)
find_package(JPEG REQUIRED)
target_link_libraries(core PUBLIC JPEG::JPEG)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  if(name STREQUAL "texts_check")
    # Not a fuzz target: checks that the texts are code page 1256 bytes in this build.
    add_executable(${name} ${source})
  else()
    add_executable(fuzz_${name} ${source})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set(name fuzz_${name})
  endif()
  project_target_options(${name})
  target_include_directories(${name} BEFORE PRIVATE ${TEXTS_1256})
  target_link_libraries(${name} PRIVATE core)
endforeach()
