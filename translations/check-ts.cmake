# Fails when a translation file does not match the sources: lupdate is run
# over the sources into a copy of each .ts; a text without translation
# (type="unfinished"), a text the sources no longer have (vanished or
# obsolete), a tr() without a context lupdate can see, or any other difference
# from the committed file fails.
# Variables: LUPDATE, OPTIONS, LIST (file with the sources), TS_FILES, WORK.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failed "")
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK}/${name})
  configure_file(${ts} ${copy} COPYONLY)
  execute_process(COMMAND ${LUPDATE} -silent ${OPTIONS} @${LIST} -ts ${copy}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${out}")
  endif()
  # A tr() lupdate cannot give a context to is never extracted, so its text
  # would stay Czech in every language.
  string(REGEX MATCHALL "[^\n]*cannot be called without context[^\n]*" lost "${out}")
  foreach(line ${lost})
    string(APPEND failed "${line}\n")
  endforeach()
  file(READ ${ts} committed)
  file(READ ${copy} updated)
  # Semicolons would split the CMake lists below; they only matter for the report.
  string(REPLACE ";" "," scan "${updated}")
  set(head "<source>[^<]*</source>[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*")
  string(REGEX MATCHALL "${head}<translation type=\"(unfinished|vanished|obsolete)\"" bad "${scan}")
  # A translation left empty is missing too.
  string(REGEX MATCHALL "${head}<translation></translation>" empty "${scan}")
  list(APPEND bad ${empty})
  if(bad)
    set(report "")
    foreach(m ${bad})
      string(REGEX MATCH "<source>([^<]*)</source>" src "${m}")
      set(src "${CMAKE_MATCH_1}")
      set(kind "empty")
      if(m MATCHES "type=\"([a-z]+)\"")
        set(kind "${CMAKE_MATCH_1}")
      endif()
      string(APPEND report "  [${kind}] ${src}\n")
    endforeach()
    string(APPEND failed "${name}: texts without translation or no longer in the sources:\n${report}")
  elseif(NOT committed STREQUAL updated)
    string(APPEND failed "${name} differs from what lupdate makes of the sources (see ${copy}).\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${failed}Run `cmake --build <build> --target zrn_lupdate`, translate the new texts "
                      "(Qt Linguist) and commit the .ts file.")
endif()
