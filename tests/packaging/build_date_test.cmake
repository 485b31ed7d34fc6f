# porvel_build_date_text for a few moments of SOURCE_DATE_EPOCH (cmake -P).
include(${PORVEL_SOURCE_DIR}/cmake/build_date.cmake)
foreach(case "1395619200=Mar 24 2014" "1393891200=Mar  4 2014" "1406937599=Aug  1 2014"
             "1419983999=Dec 30 2014" "0=Jan  1 1970")
  string(REPLACE "=" ";" case "${case}")
  list(GET case 0 epoch)
  list(GET case 1 expected)
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  porvel_build_date_text(text)
  if(NOT text STREQUAL expected)
    message(FATAL_ERROR "SOURCE_DATE_EPOCH=${epoch}: '${text}', expected '${expected}'")
  endif()
endforeach()
message(STATUS "build dates: OK")
