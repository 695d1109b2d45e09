tq_add_gui_test(tst_MainWindowForm SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowForm.cpp)
target_compile_definitions(tst_MainWindowForm PRIVATE TQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}/src")
