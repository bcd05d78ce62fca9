# Run by CPack before it packs the staged files: where SOURCE_DATE_EPOCH is
# set, every file and folder gets that time, so that the archive does not
# record when the build ran.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path ${staged} ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
  execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${path}")
endforeach()
