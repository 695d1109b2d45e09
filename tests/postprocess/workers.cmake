tq_add_test(tst_ThreadUnrar SOURCES tst_ThreadUnrar.cpp TestFiles.h LIBS tessaquill_rartestsupport TIMEOUT 120)
tq_add_test(tst_JobQueue SOURCES tst_JobQueue.cpp TIMEOUT 120)
tq_add_test(tst_SplitJoiners SOURCES tst_SplitJoiners.cpp TestFiles.h TIMEOUT 120)
tq_add_test(tst_ThreadUnsplit SOURCES tst_ThreadUnsplit.cpp TestFiles.h LIBS tessaquill_rartestsupport TIMEOUT 120)
tq_add_test(tst_ThreadClean SOURCES tst_ThreadClean.cpp TestFiles.h TIMEOUT 120)
tq_add_test(tst_ThreadUnrarExtraction SOURCES tst_ThreadUnrarExtraction.cpp TestFiles.h LIBS tessaquill_rartestsupport
  TIMEOUT 180 LABELS unrar)
# A hostile download through extraction then joining, with the program's own unrar.
tq_add_test(tst_HostileDownload SOURCES tst_HostileDownload.cpp TestFiles.h SplitSets.h
  LIBS tessaquill_rartestsupport TIMEOUT 180 LABELS unrar)
add_dependencies(tst_HostileDownload unrar)
