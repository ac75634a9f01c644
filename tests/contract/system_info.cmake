# System information: the contract cases against the fake's default machine natively
# (with the fake's buffer limits, which Wine cannot be set up to show), and against
# Windows under Wine (with a check against the environment Windows gives programs).
if(WIN32)
  velmora_add_test(NAME contract_system_info
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/system_info_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/system_info_win32_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/system_info_under_test_win32.cpp
    LIBS velmora_platform_win32 LABELS contract)
else()
  velmora_add_test(NAME contract_system_info
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/system_info_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/system_info_fake_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/system_info_under_test_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
