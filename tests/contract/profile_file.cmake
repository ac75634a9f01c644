# Profile files: our reader and writer on the text files of the world (the fake
# natively, real files under Wine), and under Wine also against Windows' own profile
# functions on the same files.
if(WIN32)
  velmora_add_test(NAME contract_profile_file
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile_file_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/profile_reference_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_files_world_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/file_system_scratch_win32.cpp
    LIBS velmora_platform_win32 velmora_wine_test_support LABELS contract)
else()
  velmora_add_test(NAME contract_profile_file
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile_file_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/profile_reference_none.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_files_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
