# The search tab on the main window's form: searches in tabs, history, options, download.
tq_add_gui_test(tst_SearchTab SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_SearchTab.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 180)
