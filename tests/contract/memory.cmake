# Memory: the contract cases against the scripted fake natively (with the fake's own
# scripting), and against Windows under Wine (with what only Windows can show).
if(WIN32)
  velmora_add_test(NAME contract_memory
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/memory_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/memory_win32_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/memory_under_test_win32.cpp
    LIBS velmora_platform_win32 LABELS contract)
else()
  velmora_add_test(NAME contract_memory
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/memory_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/memory_fake_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/memory_under_test_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
