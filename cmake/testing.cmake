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
# The ThreadSanitizer build holds only the tests marked THREADS, and the fuzz build
# none (only the test libraries its fuzz targets link). Tests marked
# SERIAL run alone: they move the pointer or need the foreground window, which
# every window on the test display shares. A Windows test given ALSO_AT_DPI is
# registered a second time, its tests named "<dpi>dpi.Suite.Test", to run with
# the Wine prefix's display at that DPI (scripts/wine-exec sets it before the
# test starts); it must be SERIAL, since every program started meanwhile in the
# prefix would get that DPI too.
#   velmora_add_test(NAME name SOURCES ... [LIBS ...] [LABELS ...] [THREADS] [SERIAL]
#                    [ALSO_AT_DPI dpi])
function(velmora_add_test)
  cmake_parse_arguments(T "THREADS;SERIAL" "NAME;ALSO_AT_DPI" "SOURCES;LIBS;LABELS" ${ARGN})
  if((VELMORA_SANITIZE MATCHES "thread" AND NOT T_THREADS) OR VELMORA_FUZZ)
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
    if(T_ALSO_AT_DPI)
      if(NOT T_SERIAL)
        message(FATAL_ERROR "${T_NAME}: ALSO_AT_DPI needs SERIAL")
      endif()
      gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_PREFIX "${T_ALSO_AT_DPI}dpi."
                           PROPERTIES ${properties} ENVIRONMENT "VELMORA_WINE_DPI=${T_ALSO_AT_DPI}")
    endif()
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()
