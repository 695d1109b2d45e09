# The main window's D-Bus ties, on a private session bus (the test starts itself under
# dbus-run-session) with a stand-in login manager.
tq_add_gui_test(tst_MainWindowDesktop SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowDesktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_dbustestsupport TIMEOUT 120)
