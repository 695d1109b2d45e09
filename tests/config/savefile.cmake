tq_add_test(tst_SaveFileShortWrite SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_SaveFileShortWrite.cpp)
# The write limit that stands in for a full disk is the dialog tests' helper.
target_include_directories(tst_SaveFileShortWrite PRIVATE ${PROJECT_SOURCE_DIR}/tests/dialogs)
