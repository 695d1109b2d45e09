# Writes RAR 4 and RAR 5 test archives at run time: odd and hostile names, links, sizes.
add_library(tessaquill_rartestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RarTestArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RarTestArchive.h)
target_include_directories(tessaquill_rartestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_rartestsupport PUBLIC Qt5::Core ZLIB::ZLIB)
