# cmake -DGZIP=... -DSOURCE=... -DDESTINATION=... -P Gzip.cmake
# Compresses as Debian does (gzip -9n): best compression, and neither the
# file's name nor its time in the header, so that builds are reproducible.
execute_process(COMMAND "${GZIP}" -9n --stdout "${SOURCE}"
  OUTPUT_FILE "${DESTINATION}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${DESTINATION}")
  message(FATAL_ERROR "gzip failed on ${SOURCE}: ${status}")
endif()
