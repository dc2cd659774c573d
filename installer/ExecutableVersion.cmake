# larkspur_executable_version(file version_var languages_var): what Windows Installer compares
# when it replaces a versioned file, read from the executable's version resource: the file
# version in its form (3.2.46.0, from VS_FIXEDFILEINFO) and the languages the resource declares
# (VarFileInfo\Translation) as decimal language identifiers joined by commas (1033). Stops the
# build when the file has no version resource.

# The bytes of an ASCII text in UTF-16LE with its closing NUL, as hex digits.
function(_larkspur_utf16_key out_var text)
    string(HEX "${text}" bytes)
    string(REGEX REPLACE "(..)" "\\100" wide "${bytes}")
    set(${out_var} "${wide}0000" PARENT_SCOPE)
endfunction()

# The byte offset of the first whole-byte occurrence of `pattern` (hex digits) in `hex`, or -1.
function(_larkspur_find_bytes out_var hex pattern)
    set(offset -1)
    set(start 0)
    while(offset EQUAL -1 AND start GREATER_EQUAL 0)
        string(SUBSTRING "${hex}" ${start} -1 rest)
        string(FIND "${rest}" "${pattern}" found)
        if(found EQUAL -1)
            set(start -1)
        else()
            math(EXPR found "${start} + ${found}")
            math(EXPR odd "${found} % 2")
            if(odd)
                math(EXPR start "${found} + 1")
            else()
                math(EXPR offset "${found} / 2")
            endif()
        endif()
    endwhile()
    set(${out_var} ${offset} PARENT_SCOPE)
endfunction()

# The little-endian 16-bit word at a byte offset.
function(_larkspur_word out_var hex offset)
    math(EXPR at "${offset} * 2")
    string(SUBSTRING "${hex}" ${at} 4 bytes)
    string(SUBSTRING "${bytes}" 0 2 low)
    string(SUBSTRING "${bytes}" 2 2 high)
    math(EXPR value "0x${high}${low}")
    set(${out_var} ${value} PARENT_SCOPE)
endfunction()

function(larkspur_executable_version file version_var languages_var)
    file(READ "${file}" hex HEX)
    # Each block of the resource is a header of three words, its key and padding to four bytes,
    # then its value. The keys are looked for with their NUL: in the program's own strings
    # (VerQueryValueW's paths) a backslash follows them.
    _larkspur_utf16_key(version_key "VS_VERSION_INFO")
    _larkspur_find_bytes(key_at "${hex}" "${version_key}")
    if(key_at EQUAL -1)
        message(FATAL_ERROR "${file} has no version resource")
    endif()
    math(EXPR fixed "${key_at} - 6 + 40")  # 6 + 32 bytes of key, padded to 40
    math(EXPR at "${fixed} * 2")
    string(SUBSTRING "${hex}" ${at} 8 signature)
    if(NOT signature STREQUAL "bd04effe")
        message(FATAL_ERROR "${file}: no VS_FIXEDFILEINFO after VS_VERSION_INFO")
    endif()
    set(parts "")
    foreach(word_offset 10 8 14 12)  # dwFileVersionMS high, low; dwFileVersionLS high, low
        math(EXPR word_at "${fixed} + ${word_offset}")
        _larkspur_word(part "${hex}" ${word_at})
        list(APPEND parts ${part})
    endforeach()
    list(JOIN parts "." version)

    _larkspur_utf16_key(var_file_info_key "VarFileInfo")
    _larkspur_utf16_key(translation_key "Translation")
    _larkspur_find_bytes(key_at "${hex}" "${var_file_info_key}")
    set(languages "")
    if(NOT key_at EQUAL -1)
        math(EXPR var "${key_at} - 6 + 32")  # the first Var after 6 + 24 bytes, padded to 32
        math(EXPR at "(${var} + 6) * 2")
        string(LENGTH "${translation_key}" key_length)
        string(SUBSTRING "${hex}" ${at} ${key_length} key)
        if(key STREQUAL translation_key)
            math(EXPR value_length_at "${var} + 2")
            _larkspur_word(value_length "${hex}" ${value_length_at})
            math(EXPR end "${var} + 32 + ${value_length}")
            math(EXPR language_at "${var} + 32")
            while(language_at LESS end)  # pairs of a language and a code page
                _larkspur_word(language "${hex}" ${language_at})
                list(APPEND languages ${language})
                math(EXPR language_at "${language_at} + 4")
            endwhile()
        endif()
    endif()
    list(JOIN languages "," languages)
    set(${version_var} "${version}" PARENT_SCOPE)
    set(${languages_var} "${languages}" PARENT_SCOPE)
endfunction()
