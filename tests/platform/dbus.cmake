# Runs itself on a private session bus (dbus-run-session, package dbus-daemon).
tq_add_test(tst_DBusLayers SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DBusLayers.cpp
  LIBS tessaquill_dbustestsupport TIMEOUT 120)
