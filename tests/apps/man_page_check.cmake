# cmake -DPROGRAM=<tool> -DPAGE=<manual page .1.in> -P man_page_check.cmake
# Fails unless every option and command that "<tool> --help" lists appears in the manual page,
# and every option the page describes (".B --x" / ".BR --x") is one that "--help" lists.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
file(READ ${PAGE} page)
# troff writes a hyphen as "\-".
string(REPLACE "\\-" "-" page "${page}")

# Brackets would keep a CMake list from splitting: the usage's "[" "]" "|" become spaces.
string(REGEX REPLACE "[][|]" " " usage "${help}")
string(REGEX MATCHALL "(^|[ \n])--?[a-z][a-z0-9-]*" help_options "${usage}")
list(TRANSFORM help_options STRIP)
list(REMOVE_DUPLICATES help_options)
list(LENGTH help_options count)
if(count LESS 2)
  message(FATAL_ERROR "no options found in the --help text:\n${help}")
endif()

set(missing)
foreach(option IN LISTS help_options)
  string(REGEX MATCH "(^|[^a-z0-9-])${option}([^a-z0-9-]|$)" found "${page}")
  if(NOT found)
    list(APPEND missing ${option})
  endif()
endforeach()

# Commands: the word after the program's name on each usage line.
get_filename_component(name ${PROGRAM} NAME)
string(REGEX MATCHALL "${name} [a-z]+ " usages "${help}")
foreach(usage IN LISTS usages)
  string(REGEX REPLACE "^${name} ([a-z]+) $" "\\1" command "${usage}")
  string(FIND "${page}" ".B ${name} ${command}" at)
  if(at EQUAL -1)
    list(APPEND missing "command ${command}")
  endif()
endforeach()

# Options the page describes but --help does not list.
string(REGEX MATCHALL "\n\\.B[IR]? --?[a-z][a-z0-9-]*" page_options "${page}")
set(extra)
foreach(entry IN LISTS page_options)
  string(REGEX REPLACE "^\n\\.B[IR]? " "" option "${entry}")
  list(FIND help_options ${option} at)
  if(at EQUAL -1)
    list(APPEND extra ${option})
  endif()
endforeach()

if(missing OR extra)
  message(FATAL_ERROR "${PAGE} and ${name} --help differ.\n"
                      "  listed by --help, missing in the page: ${missing}\n"
                      "  described in the page, not in --help: ${extra}")
endif()
message(STATUS "${name}: ${count} options of --help all in the manual page")
