# Runs chmcmd on the help project and installs the result. chmcmd only warns
# about a link to a page that does not exist; a guide with dead links is a
# broken guide, so any warning fails the build.
#   cmake -DCHMCMD=... -DPROJECT_FILE=....hhp -DWORK_DIR=... -DOUTPUT=.../tessiva.chm -P CompileHelp.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# chmcmd writes the compiled file into its working folder, under the name the
# project gives it.
execute_process(
  COMMAND ${CHMCMD} ${PROJECT_FILE}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
if(output MATCHES "Warning:|Error:")
  message(FATAL_ERROR "chmcmd reported problems in the help sources:\n${output}")
endif()
get_filename_component(name ${OUTPUT} NAME)
if(NOT EXISTS ${WORK_DIR}/${name})
  message(FATAL_ERROR "chmcmd did not write ${name}:\n${output}")
endif()
file(COPY_FILE ${WORK_DIR}/${name} ${OUTPUT})
