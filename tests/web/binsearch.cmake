# The search service client: request tables, result page scraping, entities, NZB fetch.
tq_add_test(tst_BinSearch SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_BinSearch.cpp
  LIBS tessaquill_gui tessaquill_httptestsupport TIMEOUT 120)
target_include_directories(tst_BinSearch PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../config)
