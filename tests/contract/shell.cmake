# Shell: the contract cases against the scripted fake in the native build, and
# against the Win32 shell under Wine in the Windows build, where cases that check
# that started programs really ran join them.
if(WIN32)
  velmora_add_test(NAME contract_shell
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/shell_world_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/file_system_scratch_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/shortcut_file_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/shell_win32_test.cpp
    LIBS velmora_platform_win32 ole32 uuid shell32 velmora_wine_test_support velmora_marker_program_support
    LABELS contract)
else()
  velmora_add_test(NAME contract_shell
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_contract_test.cpp ${CMAKE_CURRENT_LIST_DIR}/shell_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
