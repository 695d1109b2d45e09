# The log viewer on files written by the program's own logger, and the about box.
tq_add_gui_test(tst_DialogLogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogLogs.cpp)
tq_add_gui_test(tst_DialogAbout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogAbout.cpp)
