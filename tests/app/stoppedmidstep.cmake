# The whole program stopped in the middle of its extraction or repair, and started again. (A window
# test only for the news posting it shares with the window tests: the program runs as a process of
# its own.)
tq_add_gui_test(tst_ProgramStoppedMidStep SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ProgramStoppedMidStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewsPostingFixture.h
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h
  LIBS tessaquill_testsupport tessaquill_programtestsupport tessaquill_processtestsupport tessaquill_rartestsupport
  TIMEOUT 600)
add_dependencies(tst_ProgramStoppedMidStep tessaquill unrar)
