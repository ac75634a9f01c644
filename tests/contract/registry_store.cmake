# The registry store's contract suite. velmora_registry_store_testing holds what the
# registry suites share (tests/registry uses it too): the store under test, which is
# the in-memory fake natively and the Win32 store under Wine, and throwaway keys.
set(registry_store_dir ${CMAKE_CURRENT_LIST_DIR})
if(WIN32)
  add_library(velmora_registry_store_testing STATIC ${registry_store_dir}/registry_store_scratch.cpp
                                                    ${registry_store_dir}/registry_store_under_test_win32.cpp)
  target_link_libraries(velmora_registry_store_testing PUBLIC velmora_platform_win32 GTest::gtest)
  set(registry_store_fake_only)
else()
  add_library(velmora_registry_store_testing STATIC ${registry_store_dir}/registry_store_scratch.cpp
                                                    ${registry_store_dir}/registry_store_under_test_fake.cpp)
  target_link_libraries(velmora_registry_store_testing PUBLIC velmora_fakes GTest::gtest)
  # Wine does not enforce registry permissions: the refused-access cases run against
  # the fake only.
  set(registry_store_fake_only ${registry_store_dir}/registry_store_access_test.cpp)
endif()
target_include_directories(velmora_registry_store_testing PUBLIC ${PROJECT_SOURCE_DIR}/tests)

velmora_add_test(NAME contract_registry_store
  SOURCES ${registry_store_dir}/registry_store_contract_test.cpp ${registry_store_fake_only}
  LIBS velmora_registry_store_testing
  LABELS contract)
