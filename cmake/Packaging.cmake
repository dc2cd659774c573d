# The distribution: a ZIP holding ShowLarkspur.exe, ReadMe.TXT, ReadMe.en.TXT and the sample menus
# side by side, ShowLarkspur-<version>-x64.zip or -x86.zip after the toolchain
# (`--target package`), and beside it an MSI of the same files where wixl, msibuild and msiinfo
# are at hand (installer/). Only the Windows build has the program to package.
if(NOT WIN32 OR NOT TARGET ShowLarkspur)
    return()
endif()

# The version as the program shows it: 3.2.46 is 3.02.0046.
function(larkspur_zero_pad out_var value width)
    string(LENGTH "${value}" length)
    set(padded "${value}")
    if(length LESS width)
        math(EXPR missing "${width} - ${length}")
        string(REPEAT "0" ${missing} zeros)
        set(padded "${zeros}${value}")
    endif()
    set(${out_var} "${padded}" PARENT_SCOPE)
endfunction()
larkspur_zero_pad(minor ${PROJECT_VERSION_MINOR} 2)
larkspur_zero_pad(patch ${PROJECT_VERSION_PATCH} 4)
set(LARKSPUR_DISPLAY_VERSION "${PROJECT_VERSION_MAJOR}.${minor}.${patch}")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LARKSPUR_PACKAGE_ARCH x64)
else()
    set(LARKSPUR_PACKAGE_ARCH x86)
endif()

install(TARGETS ShowLarkspur RUNTIME DESTINATION .)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/ReadMe.TXT
              ${CMAKE_CURRENT_SOURCE_DIR}/resources/ReadMe.en.TXT DESTINATION . OPTIONAL)
file(GLOB LARKSPUR_EXAMPLES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/examples/*.Larkspur)
install(FILES ${LARKSPUR_EXAMPLES} DESTINATION .)

set(CPACK_GENERATOR ZIP)
find_program(LARKSPUR_WIXL wixl)
find_program(LARKSPUR_MSIBUILD msibuild)
find_program(LARKSPUR_MSIINFO msiinfo)
if(LARKSPUR_WIXL AND LARKSPUR_MSIBUILD AND LARKSPUR_MSIINFO)
    list(APPEND CPACK_GENERATOR External)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/installer/BuildMsi.cmake)
    set(CPACK_LARKSPUR_WXS ${CMAKE_CURRENT_SOURCE_DIR}/installer/ShowLarkspur.wxs)
    set(CPACK_LARKSPUR_WIXL ${LARKSPUR_WIXL})
    set(CPACK_LARKSPUR_MSIBUILD ${LARKSPUR_MSIBUILD})
    set(CPACK_LARKSPUR_MSIINFO ${LARKSPUR_MSIINFO})
    set(CPACK_LARKSPUR_ARCH ${LARKSPUR_PACKAGE_ARCH})
    set(CPACK_LARKSPUR_MSI_VERSION ${PROJECT_VERSION})  # Windows Installer's form: 3.2.46
    # Never changes: it is how a newer package finds the installed one to replace.
    set(CPACK_LARKSPUR_UPGRADE_CODE D18D934C-E0C1-494D-B259-25C1D2A07991)
else()
    message(STATUS "wixl, msibuild or msiinfo (Debian: wixl, msitools) not found: the package is the ZIP alone")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Signing.cmake)
set(CPACK_PACKAGE_NAME ShowLarkspur)
set(CPACK_PACKAGE_VENDOR Brindle)
set(CPACK_PACKAGE_VERSION ${LARKSPUR_DISPLAY_VERSION})
set(CPACK_PACKAGE_FILE_NAME "ShowLarkspur-${LARKSPUR_DISPLAY_VERSION}-${LARKSPUR_PACKAGE_ARCH}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # the files sit at the root of the ZIP
set(CPACK_STRIP_FILES ON)
include(CPack)
