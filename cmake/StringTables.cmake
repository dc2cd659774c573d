# Writes the string tables of the resource script as C++ tables, for the builds whose program
# carries no resources (the native one, and the Windows tests' copy to compare with): the texts
# have one source, the script. Run at build time:
#   cmake -DRESOURCE_SCRIPT=ShowLarkspur.rc -DOUTPUT=StringTables.cpp -P StringTables.cmake
# It reads what the script's tables hold: a LANGUAGE statement, then STRINGTABLE, BEGIN, one
# `IDS_NAME "text"` a line, END. Texts may use the escapes \r, \n, \t, \\ and "" alone, which
# mean the same to the resource compiler and in a C++ literal. Texts hold semicolons, so
# nothing here is a CMake list: the script is walked line by line as one string.

file(READ "${RESOURCE_SCRIPT}" script)
string(REPLACE "\r" "" script "${script}")
string(APPEND script "\n")

set(language "")
set(state outside)  # outside, expecting BEGIN, inside
set(tables "")
set(table_list "")
set(count 0)
set(line_number 0)
while(NOT script STREQUAL "")
    string(FIND "${script}" "\n" end)
    string(SUBSTRING "${script}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${script}" ${next} -1 script)
    math(EXPR line_number "${line_number} + 1")
    set(where "${RESOURCE_SCRIPT}:${line_number}")

    if(line MATCHES "^LANGUAGE[ \t]+([A-Z_]+)[ \t]*,[ \t]*([A-Z_]+)")
        set(language "${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}")
    elseif(line MATCHES "^STRINGTABLE")
        if(language STREQUAL "")
            message(FATAL_ERROR "${where}: a string table without a LANGUAGE statement before it")
        endif()
        set(state expecting)
    elseif(state STREQUAL "expecting" AND line MATCHES "^BEGIN")
        set(state inside)
        string(APPEND tables "// ${language}\nconst ScriptText kTable${count}[] = {\n")
    elseif(state STREQUAL "inside" AND line MATCHES "^END")
        set(state outside)
        string(APPEND tables "};\n\n")
        string(APPEND table_list "    {kTable${count}, std::size(kTable${count})},\n")
        math(EXPR count "${count} + 1")
    elseif(state STREQUAL "inside" AND line MATCHES "^[ \t]*(IDS_[A-Z0-9_]+)[ \t,]+\"(.*)\"[ \t]*$")
        set(id "${CMAKE_MATCH_1}")
        set(text "${CMAKE_MATCH_2}")
        string(REPLACE "\\\\" "" bare "${text}")
        string(REGEX REPLACE "\\\\[rnt]" "" bare "${bare}")
        if(bare MATCHES "\\\\")
            message(FATAL_ERROR "${where}: only \\r, \\n, \\t and \\\\ may follow a backslash")
        endif()
        string(REPLACE "\"\"" "" bare "${bare}")
        if(bare MATCHES "\"")
            message(FATAL_ERROR "${where}: a quote inside a text is written \"\"")
        endif()
        string(REPLACE "\"\"" "\\\"" text "${text}")
        string(APPEND tables "    {${id}, L\"${text}\"},\n")
    elseif(state STREQUAL "inside" AND NOT line MATCHES "^[ \t]*(//.*)?$")
        message(FATAL_ERROR "${where}: not a text of the form IDS_NAME \"text\" on one line")
    endif()
endwhile()

if(count EQUAL 0)
    message(FATAL_ERROR "${RESOURCE_SCRIPT} holds no string table")
endif()

file(WRITE "${OUTPUT}" "// Made from ${RESOURCE_SCRIPT} by StringTables.cmake at build time: \
edit the resource script, not this file.
#include <iterator>

#include \"platform/texts/ScriptTables.h\"
#include \"platform/texts/TextIds.h\"

namespace platform {
namespace {

${tables}}  // namespace

const ScriptTable kScriptTables[] = {
${table_list}};
const std::size_t kScriptTableCount = std::size(kScriptTables);

}  // namespace platform
")
