tq_add_test(tst_ThreadUnrar SOURCES tst_ThreadUnrar.cpp TestFiles.h TIMEOUT 120)
tq_add_test(tst_SplitJoiners SOURCES tst_SplitJoiners.cpp TestFiles.h TIMEOUT 120)
tq_add_test(tst_ThreadUnsplit SOURCES tst_ThreadUnsplit.cpp TestFiles.h TIMEOUT 120)
tq_add_test(tst_ThreadClean SOURCES tst_ThreadClean.cpp TestFiles.h TIMEOUT 120)
