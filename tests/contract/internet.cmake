# Internet client: the contract cases against the scripted fake natively (with the
# fake's own scripting), and under Wine against WinINet talking to a small HTTP
# server on 127.0.0.1 that each case starts and stops.
if(WIN32)
  velmora_add_test(NAME contract_internet
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/internet_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/internet_world_win32.cpp
            ${CMAKE_CURRENT_LIST_DIR}/loopback_http_server_win32.cpp
    LIBS velmora_platform_win32 ws2_32 LABELS contract)
else()
  velmora_add_test(NAME contract_internet
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/internet_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/internet_fake_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/internet_world_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
