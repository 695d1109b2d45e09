tq_add_test(tst_UtilsProcess SOURCES tst_UtilsProcess.cpp TIMEOUT 120)
