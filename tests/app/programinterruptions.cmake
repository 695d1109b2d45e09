# The program itself, stopped in the middle of its steps and started again.
tq_add_test(tst_ProgramInterruptions SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ProgramInterruptions.cpp
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h
  LIBS tessaquill_testsupport tessaquill_programtestsupport TIMEOUT 600)
add_dependencies(tst_ProgramInterruptions tessaquill unrar)
