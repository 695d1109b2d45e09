# Helpers for tests that run outside programs: shell-script stand-ins, process probes, and
# stepping a process to catch it mid-work.
add_library(tessaquill_processtestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/StandInProgram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandInProgram.h
  ${CMAKE_CURRENT_LIST_DIR}/SteppedProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SteppedProcess.h)
target_include_directories(tessaquill_processtestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_processtestsupport PUBLIC Qt5::Core)

# The whole program run as a process of its own in a test's home, to stop it mid-step and start
# it again (ProgramRunner).
add_library(tessaquill_programtestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProgramRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramRunner.h
  ${CMAKE_CURRENT_LIST_DIR}/ProgramHomeFiles.h)
target_include_directories(tessaquill_programtestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_programtestsupport PUBLIC tessaquill_core Qt5::Core)
add_library(tq_writestop MODULE ${CMAKE_CURRENT_LIST_DIR}/WriteStop.cpp)
target_link_libraries(tq_writestop PRIVATE ${CMAKE_DL_LIBS})
add_dependencies(tessaquill_programtestsupport tq_writestop)
target_compile_definitions(tessaquill_programtestsupport PRIVATE TQ_WRITESTOP_LIBRARY="$<TARGET_FILE:tq_writestop>")
