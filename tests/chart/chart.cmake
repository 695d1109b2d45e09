tq_add_gui_test(tst_ChartXYScale SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ChartXYScale.cpp)
tq_add_gui_test(tst_ChartXY SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ChartXY.cpp)
