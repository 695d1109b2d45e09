# The power tool, run as a program against a stand-in login manager on a private session bus
# (the test starts itself under dbus-run-session; no system bus is reachable).
tq_add_test(tst_PowerTool SOURCES tst_PowerTool.cpp LIBS Qt5::DBus tessaquill_dbustestsupport TIMEOUT 120 LABELS power)
add_dependencies(tst_PowerTool tessaquill-power)
