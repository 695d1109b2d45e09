# The result scraper of the search client: any bytes as a result page. Built from the scraper's
# own sources (not the GUI library), so that they get the instrumentation and nothing else comes
# along. Seeds: the hand-written pages of the tests.
#   build-fuzz/bin/fuzz_search_page corpus tests/data/web/binsearch -dict=tests/fuzz/search_page.dict -max_total_time=600
add_executable(fuzz_search_page ${CMAKE_CURRENT_LIST_DIR}/fuzz_search_page.cpp
  ${PROJECT_SOURCE_DIR}/src/web/SearchPageScraper.cpp
  ${PROJECT_SOURCE_DIR}/src/web/SearchResult.cpp
  ${PROJECT_SOURCE_DIR}/src/web/BinSearchEntities.cpp)
target_include_directories(fuzz_search_page PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(fuzz_search_page PRIVATE Qt5::Core)
target_compile_options(fuzz_search_page PRIVATE ${TQ_FUZZ_FLAGS})
target_link_options(fuzz_search_page PRIVATE ${TQ_FUZZ_FLAGS})
