tq_add_gui_test(tst_DialogSettings SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogSettings.cpp)
tq_add_gui_test(tst_DialogSettingsProxy SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogSettingsProxy.cpp)
