# GoogleTest from Debian: the prebuilt libgtest-dev natively, and the googletest
# source package built with the cross compiler for Windows.
include(GoogleTest)

if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  find_package(Threads REQUIRED)
endif()

# Adds a GoogleTest executable and registers each of its tests with CTest. Under
# Wine, discovery happens at test time: listing the tests at build time would start
# Wine inside the build, and Wine is slow on its first start.
# The ThreadSanitizer build holds only the tests marked THREADS. Tests marked
# SERIAL run alone: they move the pointer or need the foreground window, which
# every window on the test display shares.
#   velmora_add_test(NAME name SOURCES ... [LIBS ...] [LABELS ...] [THREADS] [SERIAL])
function(velmora_add_test)
  cmake_parse_arguments(T "THREADS;SERIAL" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  if(VELMORA_SANITIZE MATCHES "thread" AND NOT T_THREADS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(properties TIMEOUT 300)
  if(T_LABELS)
    list(APPEND properties LABELS "${T_LABELS}")
  endif()
  if(T_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  if(WIN32)
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()
