tq_add_test(tst_ThreadParity SOURCES tst_ThreadParity.cpp LIBS tessaquill_processtestsupport TIMEOUT 180)
tq_add_test(tst_Par2Backups SOURCES tst_Par2Backups.cpp TIMEOUT 120)
