# cmake -DSOURCE=... -DDESTINATION=... -P CopyIfPresent.cmake
# Copies a file that another part of the tree may not have produced yet.
if(EXISTS "${SOURCE}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}" ONLY_IF_DIFFERENT)
endif()
