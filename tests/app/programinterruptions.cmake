# The program itself, stopped in the middle of its steps and started again. (A window test only for
# the news posting it shares with the window tests: the program runs as a process of its own.)
tq_add_gui_test(tst_ProgramInterruptions SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ProgramInterruptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewsPostingFixture.h
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h
  LIBS tessaquill_testsupport tessaquill_programtestsupport TIMEOUT 600)
add_dependencies(tst_ProgramInterruptions tessaquill unrar)
