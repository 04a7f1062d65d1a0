# Keeps the libraries linking one way: no header or source below a layer includes
# one of a layer above it. Run by ctest with -DSRC=<src folder>.
set(rules
  "platform|wmf/|core/|archive/|browser/|intake/|media/|search_export/|app/"
  "wmf|platform/|core/|archive/|browser/|intake/|media/|search_export/|app/"
  "core|archive/|browser/|intake/|media/|search_export/|app/"
  "archive|app/" "browser|app/" "intake|app/" "media|app/" "search_export|app/")
set(failures "")
foreach(rule ${rules})
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts folder)
  file(GLOB_RECURSE files ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(inc ${includes})
      foreach(above ${parts})
        if(inc MATCHES "\"${above}")
          string(APPEND failures "${f}: ${inc}\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes against the layering:\n${failures}")
endif()
