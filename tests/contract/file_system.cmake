# Files and folders: the contract cases against the in-memory fake in the native
# build, and against the Win32 implementation under Wine in the Windows build, where
# a few cases that must look past the service at Windows itself join them.
set(file_system_contract_sources
  ${CMAKE_CURRENT_LIST_DIR}/file_system_contract_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_system_extended_path_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_name_text_test.cpp)
if(WIN32)
  velmora_add_test(NAME contract_file_system
    SOURCES ${file_system_contract_sources}
            ${CMAKE_CURRENT_LIST_DIR}/file_system_world_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/file_system_scratch_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/file_system_win32_test.cpp
    LIBS velmora_platform_win32 velmora_wine_test_support LABELS contract)
else()
  velmora_add_test(NAME contract_file_system
    SOURCES ${file_system_contract_sources} ${CMAKE_CURRENT_LIST_DIR}/file_system_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
