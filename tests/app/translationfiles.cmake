tq_add_test(tst_TranslationFiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_TranslationFiles.cpp)
target_compile_definitions(tst_TranslationFiles PRIVATE
  TQ_TRANSLATIONS_DIR="${PROJECT_SOURCE_DIR}/src/translations")
