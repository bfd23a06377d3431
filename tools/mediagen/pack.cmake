# Packs the files named in LIST (paths relative to DIR, one a line) into ARCHIVE with VEZ.
# The archive is made afresh, with its members in the order of the list.
file(STRINGS ${LIST} members)
if(NOT members)
  message(FATAL_ERROR "pack: ${LIST} names no file")
endif()
file(REMOVE ${ARCHIVE})
execute_process(COMMAND ${VEZ} pack ${ARCHIVE} -C ${DIR} ${members} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pack: ${VEZ} failed for ${ARCHIVE} (${rc})")
endif()
