# System DLLs that are loaded on the first call into them instead of at start-up: the menu
# window needs none of them, and under Wine they and what they bring (COM, the print spooler)
# cost tens of milliseconds before it can show.
#
# larkspur_delay_loaded(out_var dll...) gives the libraries to link in their place.
# - MinGW: a delay-load import library per DLL, made with dlltool from the names the toolchain's
#   own import library exports (lib<dll>.a), so every function of the DLL is delayed.
# - MSVC: the import library, with /DELAYLOAD for the DLL and the delay-load helper.
function(larkspur_delay_loaded out_var)
    set(libraries)
    foreach(dll IN LISTS ARGN)
        if(MSVC)
            list(APPEND libraries ${dll} "-DELAYLOAD:${dll}.dll")
        elseif(MINGW)
            list(APPEND libraries "${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a")
            larkspur_make_delay_library(${dll})
        else()
            list(APPEND libraries ${dll})
        endif()
    endforeach()
    if(MSVC)
        list(APPEND libraries delayimp)
    endif()
    set(${out_var} ${libraries} PARENT_SCOPE)
endfunction()

function(larkspur_make_delay_library dll)
    set(folder "${CMAKE_BINARY_DIR}/delayload")
    set(library "${folder}/lib${dll}_delay.a")
    if(EXISTS "${library}")
        return()
    endif()
    find_library(import_library_${dll} NAMES ${dll} REQUIRED)
    execute_process(COMMAND "${CMAKE_NM}" "${import_library_${dll}}"
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Each function has an import thunk "__imp_Name" ("__imp__Name@N" on x86, where dlltool's
    # --kill-at drops the "@N" from the name looked up in the DLL).
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
    execute_process(COMMAND "${CMAKE_DLLTOOL}" --kill-at --input-def "${folder}/${dll}.def"
                            --dllname ${dll}.dll --output-delaylib "${library}"
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
