# Text encoding: the contract cases against the fake natively and against Windows
# under Wine; under Wine also the fake's code-page tables against Windows' own.
if(WIN32)
  velmora_add_test(NAME contract_text_encoding
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_encoding_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_encoding_tables_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_encoding_under_test_win32.cpp
    LIBS velmora_platform_win32 velmora_fakes LABELS contract)
else()
  velmora_add_test(NAME contract_text_encoding
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_encoding_contract_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/text_encoding_under_test_fake.cpp
    LIBS velmora_fakes LABELS contract)
endif()
