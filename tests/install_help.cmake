# Installs the build into a scratch folder, as `make run` does, and checks that the
# help page and the WMF helper lie beside the program there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
foreach(file quillmont quillmont-wmf Help/index.html)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} is missing from the installed program folder")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
