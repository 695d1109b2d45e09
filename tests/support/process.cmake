# Helpers for tests that run outside programs: shell-script stand-ins and process probes.
add_library(tessaquill_processtestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/StandInProgram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandInProgram.h)
target_include_directories(tessaquill_processtestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_processtestsupport PUBLIC Qt5::Core)
