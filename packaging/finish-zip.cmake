# CPack's last step before it copies the archive out: the archive written again from the staged
# files, in name order, every entry dated at one fixed time in UTC, so that the same commit gives
# the same bytes wherever it is built. (CPack adds the files in the order the file system lists
# them, and dates them when they were built, in the builder's time zone.)

# The time: SOURCE_DATE_EPOCH when the caller fixes one, else the last commit's.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  find_program(git git)
  if(git)
    execute_process(COMMAND ${git} -C ${CPACK_VFX_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  # Neither: a source tree without its history. 2000-01-01 00:00:00 UTC.
  set(epoch 946684800)
endif()

file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CPACK_TEMPORARY_DIRECTORY}
     ${CPACK_TEMPORARY_DIRECTORY}/*)
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}/${entry})
    # Kept flat on purpose: "Extract All" on Windows already makes the folder.
    message(FATAL_ERROR "the release holds files only, not the folder ${entry}")
  endif()
endforeach()

foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE ${zip})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC SOURCE_DATE_EPOCH=${epoch}
                          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${entries}
                  WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not write ${zip} again")
  endif()
endforeach()
