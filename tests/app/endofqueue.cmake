# The action at the end of the queue. The test program lives in a folder of its own, which is
# "the program's folder" where it puts a stand-in power tool recording its arguments, apart
# from the real tool built beside the main program. No D-Bus.
tq_add_gui_test(tst_MainWindowEndOfQueue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowEndOfQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_processtestsupport TIMEOUT 180)
set_target_properties(tst_MainWindowEndOfQueue PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-programs/endofqueue)
set_property(TEST tst_MainWindowEndOfQueue APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
