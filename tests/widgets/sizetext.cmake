tq_add_gui_test(tst_SizeSpeedText SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_SizeSpeedText.cpp)
