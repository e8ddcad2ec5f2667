# Writes the manual page of velmorin-cli from its own --help texts, so the two never
# disagree: cmake -DCLI=velmorin-cli -DVERSION=1.0 -DOUT=velmorin-cli.1 -P help_to_man.cmake
function(help_of out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The help text as literal lines: backslashes escaped, and no line may start a request.
function(roff_literal out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}.fi\n" PARENT_SCOPE)
endfunction()

help_of(tool)
roff_literal(tool_roff "${tool}")
set(page ".TH VELMORIN-CLI 1 \"\" \"velmorin ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nvelmorin-cli \\- silence stretches of audio inside DVD-Video VOB files\n")
string(APPEND page ".SH DESCRIPTION\n${tool_roff}")
string(APPEND page ".SH SUBCOMMANDS\n")
# The subcommands are the indented first words of the lines after "subcommands:".
string(REGEX MATCH "subcommands:\n(  [a-z]+ [^\n]*\n|           [^\n]*\n)+" listing "${tool}")
string(REGEX MATCHALL "\n  [a-z]+" names "${listing}")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  help_of(sub ${name})
  roff_literal(sub_roff "${sub}")
  string(APPEND page ".SS ${name}\n${sub_roff}")
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR velmorin (1)\n")
file(WRITE ${OUT} "${page}")
