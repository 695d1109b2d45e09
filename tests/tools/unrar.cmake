# The unrar helper program: fixtures, damage, passwords, and the output the workers parse.
tq_add_test(tst_Unrar SOURCES tst_Unrar.cpp LIBS tessaquill_rartestsupport tessaquill_processtestsupport TIMEOUT 180 LABELS unrar)
add_dependencies(tst_Unrar unrar)
tq_add_test(tst_UnrarVolumeNames SOURCES tst_UnrarVolumeNames.cpp LIBS unrar_engine LABELS unrar)
# Hostile archives, made at run time: nothing outside the extraction folder is touched.
tq_add_test(tst_UnrarHostile SOURCES tst_UnrarHostile.cpp LIBS tessaquill_rartestsupport TIMEOUT 180 LABELS unrar)
add_dependencies(tst_UnrarHostile unrar)
