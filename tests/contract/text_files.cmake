# Text files: the contract cases against the in-memory fake natively, and against
# real files in a scratch folder under Wine, where a case of what another program
# sees of a file being replaced joins them.
if(WIN32)
  velmora_add_test(NAME contract_text_files
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_files_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_files_world_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_files_win32_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/file_system_scratch_win32.cpp
    LIBS velmora_platform_win32 velmora_wine_test_support LABELS contract)
else()
  velmora_add_test(NAME contract_text_files
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_files_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_files_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
