# One results page of the search tab: table, paging, selection, NZB fetch.
tq_add_gui_test(tst_FrameSearchResults SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_FrameSearchResults.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 120)
target_include_directories(tst_FrameSearchResults PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../config)
