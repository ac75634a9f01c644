# Drives and volumes: the contract cases against the fake in the native build, and
# against the Win32 implementation under Wine in the Windows build.
if(WIN32)
  velmora_add_test(NAME contract_drives
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/drives_contract_test.cpp ${CMAKE_CURRENT_LIST_DIR}/drives_world_win32.cpp
    LIBS velmora_platform_win32 LABELS contract)
else()
  velmora_add_test(NAME contract_drives
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/drives_contract_test.cpp ${CMAKE_CURRENT_LIST_DIR}/drives_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
