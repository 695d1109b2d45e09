# The manual repair, extraction and joining dialog, with real par2, the program's own unrar and
# real split sets, and slow stand-ins for the stops.
tq_add_gui_test(tst_DialogManualRepairExtract
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/tst_DialogManualRepairExtract.cpp
          ${CMAKE_CURRENT_LIST_DIR}/TestFiles.h
  LIBS tessaquill_processtestsupport
  TIMEOUT 300 LABELS unrar)
target_include_directories(tst_DialogManualRepairExtract PRIVATE ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(tst_DialogManualRepairExtract unrar)
