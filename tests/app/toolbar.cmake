# The toolbar and its dialogs, the destination menus, the free space of the status bar and the
# version check, on the window built offscreen with the real engine. No D-Bus.
tq_add_gui_test(tst_MainWindowToolbar SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowToolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_httptestsupport TIMEOUT 180)
set_property(TEST tst_MainWindowToolbar APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
tq_add_clock_variants(tst_MainWindowToolbar FUNCTIONS versionAnswer)
