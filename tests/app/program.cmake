# The program itself, started as separate processes.
tq_add_test(tst_ProgramRun SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ProgramRun.cpp LIBS tessaquill_testsupport tessaquill_programtestsupport TIMEOUT 300)
add_dependencies(tst_ProgramRun tessaquill)
