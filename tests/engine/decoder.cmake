# Segment decoding: CRC-32, the yEnc line routines, the line reader and the decoder itself.
tq_add_test(tst_Crc32 SOURCES tst_Crc32.cpp SegmentBodyWriter.cpp SegmentBodyWriter.h)
tq_add_test(tst_YencLineDecoder SOURCES tst_YencLineDecoder.cpp)
tq_add_test(tst_SegmentLineReader SOURCES tst_SegmentLineReader.cpp)
tq_add_test(tst_NntpSegmentDecoder SOURCES tst_NntpSegmentDecoder.cpp SegmentBodyWriter.cpp SegmentBodyWriter.h)
