# Run by CPack's External generator once the install tree is staged: builds
# <package file name>.msi from ShowLarkspur.wxs with wixl. The CPACK_LARKSPUR_* variables come
# from cmake/Packaging.cmake.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(work "${CPACK_TOPLEVEL_DIRECTORY}")
set(msi "${work}/${CPACK_PACKAGE_FILE_NAME}.msi")

if(CPACK_LARKSPUR_ARCH STREQUAL "x64")
    set(win64 yes)
    set(program_files ProgramFiles64Folder)
    set(system System64Folder)
else()
    set(win64 no)
    set(program_files ProgramFilesFolder)
    set(system SystemFolder)
endif()

# One product code per version and architecture: a rebuilt package of the same release is the
# same product, a newer release replaces it (MajorUpgrade). A component keeps its GUID from
# release to release; the 32-bit and the 64-bit package share none.
string(UUID product_code NAMESPACE "${CPACK_LARKSPUR_UPGRADE_CODE}"
       NAME "${CPACK_LARKSPUR_MSI_VERSION} ${CPACK_LARKSPUR_ARCH}" TYPE SHA1 UPPER)
set(component_guids "")
foreach(component Program Documents UserProgramsFolder StartMenu)
    string(UUID guid NAMESPACE "${CPACK_LARKSPUR_UPGRADE_CODE}"
           NAME "${component} ${CPACK_LARKSPUR_ARCH}" TYPE SHA1 UPPER)
    list(APPEND component_guids --define "${component}Guid=${guid}")
endforeach()

# The sample menus are whatever was staged beside the program.
file(GLOB samples RELATIVE "${stage}" "${stage}/*.Larkspur")
set(sample_files "")
set(index 0)
foreach(sample IN LISTS samples)
    math(EXPR index "${index} + 1")
    string(APPEND sample_files "  <File Id=\"Sample${index}\" Source=\"${sample}\"/>\n")
endforeach()
file(WRITE "${work}/Samples.wxi"
     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n${sample_files}</Include>\n")

# The database's strings are Russian: wixl and msibuild read and write them in the code page of
# this language, and the database is then marked as code page 1251, whatever the system of the
# machine that installs it.
set(ENV{WINDOWS_LANGUAGE} ru)
execute_process(
    COMMAND "${CPACK_LARKSPUR_WIXL}" --arch ${CPACK_LARKSPUR_ARCH} --includedir "${work}"
            --define "Version=${CPACK_LARKSPUR_MSI_VERSION}"
            --define "ProductCode=${product_code}"
            --define "UpgradeCode=${CPACK_LARKSPUR_UPGRADE_CODE}"
            --define "Win64=${win64}"
            --define "ProgramFilesFolder=${program_files}"
            --define "SystemFolder=${system}"
            ${component_guids}
            --output "${msi}" "${CPACK_LARKSPUR_WXS}"
    WORKING_DIRECTORY "${stage}"  # wixl takes the files' sources relative to it
    RESULT_VARIABLE wixl_result)
if(NOT wixl_result EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${msi}")
endif()
file(WRITE "${work}/_ForceCodepage.idt" "\r\n\r\n1251\t_ForceCodepage\r\n")
execute_process(
    COMMAND "${CPACK_LARKSPUR_MSIBUILD}" "${msi}" -i "${work}/_ForceCodepage.idt"
    RESULT_VARIABLE msibuild_result)
if(NOT msibuild_result EQUAL 0)
    message(FATAL_ERROR "msibuild could not set the code page of ${msi}")
endif()

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
