# Segment decoding: CRC-32, the yEnc line routines, the line reader and the decoder itself.
tq_add_test(tst_Crc32 SOURCES tst_Crc32.cpp SegmentBodyWriter.cpp SegmentBodyWriter.h)
tq_add_test(tst_YencLineDecoder SOURCES tst_YencLineDecoder.cpp)
tq_add_test(tst_SegmentLineReader SOURCES tst_SegmentLineReader.cpp)
tq_add_test(tst_NntpSegmentDecoder SOURCES tst_NntpSegmentDecoder.cpp SegmentBodyWriter.cpp SegmentBodyWriter.h)
# A file size limit stands in for a full disk: the dialog tests' helper.
target_include_directories(tst_NntpSegmentDecoder PRIVATE ${PROJECT_SOURCE_DIR}/tests/dialogs)

# The same cases through a decoder built with tiny read blocks and write buffer, so that lines,
# escapes and control lines meet every block boundary. It has the decoder's sources of its own.
set(decoder_units ClmulCrc32 Crc32 NntpSegmentDecoder SegmentDecodeSession SegmentLineReader
  SegmentOutputFile YencLineDecoder)
set(decoder_files "")
foreach(unit ${decoder_units})
  list(APPEND decoder_files ${PROJECT_SOURCE_DIR}/src/engine/${unit}.cpp ${PROJECT_SOURCE_DIR}/src/engine/${unit}.h)
endforeach()
# The fuzz target (tests/fuzz) builds from the same list.
set(TQ_DECODER_FILES ${decoder_files} CACHE INTERNAL "Sources of the segment decoder")
tq_add_test(tst_NntpSegmentDecoderTinyBuffers SOURCES tst_NntpSegmentDecoder.cpp SegmentBodyWriter.cpp
  SegmentBodyWriter.h ${decoder_files})
target_compile_definitions(tst_NntpSegmentDecoderTinyBuffers PRIVATE TQ_SEGMENT_READ_BLOCK=7 TQ_SEGMENT_WRITE_BUFFER=5)
target_include_directories(tst_NntpSegmentDecoderTinyBuffers PRIVATE ${PROJECT_SOURCE_DIR}/tests/dialogs)
