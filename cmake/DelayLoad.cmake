# System DLLs that are loaded on the first call into them instead of at start-up: the menu
# window needs none of them, and under Wine they and what they bring (COM, the print spooler)
# cost tens of milliseconds before it can show.
#
# larkspur_delay_load(target dll...) links the target's users with the DLLs delay-loaded, in the
# way the toolchain can:
# - MSVC: the import library, with /DELAYLOAD for the DLL (a link option) and the helper.
# - MinGW with GNU dlltool: a delay-load import library per DLL (--output-delaylib).
# - MinGW with a dlltool without it (llvm-dlltool): a short import library per DLL, which lld's
#   --delayload can delay (the GNU import libraries of some distributions it cannot).
# - Otherwise the DLLs load at start-up, and the configure output says so.
# Either MinGW library lists every function that the toolchain's own import library has. Every
# way calls the runtime's __delayLoadHelper2 (MSVC's or mingw-w64's), and with it the program's
# __pfnDliFailureHook2.
include(CheckLinkerFlag)

function(larkspur_delay_load target)
    set(dlls ${ARGN})
    list(TRANSFORM dlls APPEND ".dll" OUTPUT_VARIABLE names)
    if(MSVC)
        list(TRANSFORM names PREPEND "/DELAYLOAD:" OUTPUT_VARIABLE options)
        target_link_libraries(${target} PUBLIC ${dlls} delayimp)
        target_link_options(${target} INTERFACE ${options})
        return()
    endif()
    if(MINGW)
        larkspur_delay_load_way(way)
    else()
        set(way none)
    endif()
    if(way STREQUAL "none")
        target_link_libraries(${target} PUBLIC ${dlls})
        return()
    endif()
    foreach(dll IN LISTS dlls)
        larkspur_make_import_library(${dll} ${way} library)
        target_link_libraries(${target} PUBLIC "${library}")
    endforeach()
    if(way STREQUAL "linker")
        list(TRANSFORM names PREPEND "LINKER:--delayload=" OUTPUT_VARIABLE options)
        target_link_options(${target} INTERFACE ${options})
    endif()
endfunction()

# How this MinGW toolchain delay-loads: "dlltool", "linker" or "none", probed once and told in
# the configure output.
function(larkspur_delay_load_way out_var)
    if(NOT DEFINED CACHE{LARKSPUR_DELAY_LOAD_WAY})
        execute_process(COMMAND "${CMAKE_DLLTOOL}" --help
                        OUTPUT_VARIABLE help ERROR_VARIABLE help RESULT_VARIABLE ignored)
        if(help MATCHES "--output-delaylib")
            set(way dlltool)
        else()
            check_linker_flag(CXX "LINKER:--delayload=shell32.dll" LARKSPUR_LINKER_DELAYLOADS)
            if(LARKSPUR_LINKER_DELAYLOADS)
                set(way linker)
            else()
                set(way none)
            endif()
        endif()
        set(LARKSPUR_DELAY_LOAD_WAY ${way} CACHE INTERNAL "How the DLLs are delay-loaded")
    endif()
    if(LARKSPUR_DELAY_LOAD_WAY STREQUAL "dlltool")
        message(STATUS "Delay-loading: ${CMAKE_DLLTOOL} --output-delaylib")
    elseif(LARKSPUR_DELAY_LOAD_WAY STREQUAL "linker")
        message(STATUS "Delay-loading: the linker's --delayload "
                       "(${CMAKE_DLLTOOL} has no --output-delaylib)")
    else()
        message(WARNING "Delay-loading: neither ${CMAKE_DLLTOOL} --output-delaylib nor the "
                        "linker's --delayload; the DLLs load at start-up.")
    endif()
    set(${out_var} ${LARKSPUR_DELAY_LOAD_WAY} PARENT_SCOPE)
endfunction()

function(larkspur_make_import_library dll way out_var)
    set(folder "${CMAKE_BINARY_DIR}/delayload")
    set(library "${folder}/lib${dll}_delay.a")
    set(${out_var} "${library}" PARENT_SCOPE)
    if(EXISTS "${library}")
        return()
    endif()
    find_library(import_library_${dll} NAMES ${dll} REQUIRED)
    execute_process(COMMAND "${CMAKE_NM}" "${import_library_${dll}}"
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Each function has an import thunk "__imp_Name" ("__imp__Name@N" on x86, where the kill-at
    # option drops the "@N" from the name looked up in the DLL).
    string(REGEX MATCHALL "__imp_[^\r\n ]+" imports "${symbols}")
    list(REMOVE_DUPLICATES imports)
    set(definition "LIBRARY ${dll}.dll\nEXPORTS\n")
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "^__imp_" "" name "${import}")
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(REGEX REPLACE "^_" "" name "${name}")
        endif()
        string(APPEND definition "${name}\n")
    endforeach()
    file(MAKE_DIRECTORY "${folder}")
    file(WRITE "${folder}/${dll}.def" "${definition}")
    larkspur_import_library_from_definition("${folder}/${dll}.def" ${dll}.dll ${way} "${library}")
endfunction()

# The import library of `dll_file` ("name.dll") for the functions a .def file lists, made the way
# larkspur_delay_load_way gave: a delay-load library (dlltool), or one that the linker's
# --delayload can delay (linker).
function(larkspur_import_library_from_definition definition dll_file way library)
    if(way STREQUAL "dlltool")
        set(command --kill-at --input-def "${definition}" --dllname ${dll_file}
                    --output-delaylib "${library}")
    else()
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            set(machine i386)
        else()
            set(machine i386:x86-64)
        endif()
        set(command -m ${machine} -k -d "${definition}" -D ${dll_file} -l "${library}")
    endif()
    execute_process(COMMAND "${CMAKE_DLLTOOL}" ${command} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
