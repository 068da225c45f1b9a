# Fails when a suite wrote into the home CTest gave it (the user's own
# settings and data, had it been run by hand).
file(GLOB_RECURSE written LIST_DIRECTORIES false "${HOMES}/*")
if(written)
  string(REPLACE ";" "\n  " list "${written}")
  message(FATAL_ERROR "Suites wrote into the user's own home:\n  ${list}")
endif()
message(STATUS "No suite wrote into the user's own home.")
