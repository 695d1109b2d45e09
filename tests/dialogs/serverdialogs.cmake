# The server editor with its connection test, the first-run wizard and the end-of-queue dialog.
tq_add_gui_test(tst_ThreadTestConnection SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ThreadTestConnection.cpp
  LIBS tessaquill_testsupport TIMEOUT 120)
tq_add_gui_test(tst_DialogServerManagement
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogServerManagement.cpp ${CMAKE_CURRENT_LIST_DIR}/ServerEditorForm.h
    ${CMAKE_CURRENT_LIST_DIR}/ShownImage.h
  LIBS tessaquill_testsupport TIMEOUT 180)
tq_add_gui_test(tst_DialogWizard SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogWizard.cpp)
tq_add_gui_test(tst_DialogShutdown SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogShutdown.cpp)

# The editor's connection test against INN 2, started through the engine tests' script (needs
# root and inn2).
tq_add_gui_test(tst_DialogServerManagementInn2
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogServerManagementInn2.cpp ${CMAKE_CURRENT_LIST_DIR}/ServerEditorForm.h
  TIMEOUT 180 LABELS interop)
target_compile_definitions(tst_DialogServerManagementInn2 PRIVATE
  TQ_INN2_SCRIPT="${PROJECT_SOURCE_DIR}/tests/engine/inn2-server.sh")
