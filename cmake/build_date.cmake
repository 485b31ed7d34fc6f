# porvel_build_date_text(<out>): the date of SOURCE_DATE_EPOCH (UTC) in the compiler's __DATE__
# form, "Mar  4 2014" (three-letter English month, the day padded to two places with a blank,
# the year). The month names are our own list, so the machine's locale cannot change them.
function(porvel_build_date_text out)
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    message(FATAL_ERROR "porvel_build_date_text: SOURCE_DATE_EPOCH is not set")
  endif()
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be whole seconds, not '$ENV{SOURCE_DATE_EPOCH}'")
  endif()
  # string(TIMESTAMP) itself takes the time from SOURCE_DATE_EPOCH when it is set.
  string(TIMESTAMP month "%m" UTC)
  string(TIMESTAMP day "%d" UTC)
  string(TIMESTAMP year "%Y" UTC)
  set(names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  math(EXPR index "${month} - 1")
  list(GET names ${index} name)
  string(REGEX REPLACE "^0" " " day "${day}")
  set(${out} "${name} ${day} ${year}" PARENT_SCOPE)
endfunction()
