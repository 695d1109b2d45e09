# The file decoder threads and the post-processing of completed NZBs, driven through the
# download manager with real segment files, stand-in par2 and unrar programs and the real ones.
set(decoding_support ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h ${CMAKE_CURRENT_LIST_DIR}/DecodeTestSupport.h
  ${CMAKE_CURRENT_LIST_DIR}/SegmentBodyWriter.cpp ${CMAKE_CURRENT_LIST_DIR}/SegmentBodyWriter.h)
tq_add_test(tst_ThreadFileDecoder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ThreadFileDecoder.cpp ${decoding_support}
  LIBS tessaquill_processtestsupport TIMEOUT 300)
add_dependencies(tst_ThreadFileDecoder unrar)
# A file size limit stands in for a full disk: the dialog tests' helper.
target_include_directories(tst_ThreadFileDecoder PRIVATE ${PROJECT_SOURCE_DIR}/tests/dialogs)
tq_add_test(tst_DownloadNzbManagerPostProcess SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerPostProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h LIBS tessaquill_processtestsupport tessaquill_rartestsupport
  TIMEOUT 300)
add_dependencies(tst_DownloadNzbManagerPostProcess unrar)
tq_add_test(tst_DecodeCompletionStress SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DecodeCompletionStress.cpp ${decoding_support}
  TIMEOUT 300)
