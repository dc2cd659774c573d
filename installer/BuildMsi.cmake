# Run by CPack's External generator once the install tree is staged: builds
# <package file name>.msi from ShowLarkspur.wxs with wixl. The CPACK_LARKSPUR_* variables come
# from cmake/Packaging.cmake.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(work "${CPACK_TOPLEVEL_DIRECTORY}")
set(msi "${work}/${CPACK_PACKAGE_FILE_NAME}.msi")

if(CPACK_LARKSPUR_ARCH STREQUAL "x64")
    set(win64 yes)
    set(program_files ProgramFiles64Folder)
else()
    set(win64 no)
    set(program_files ProgramFilesFolder)
endif()
string(REGEX REPLACE "-${CPACK_LARKSPUR_ARCH}$" "-x64.msi" x64_package "${CPACK_PACKAGE_FILE_NAME}")

# One product code per version and architecture: a rebuilt package of the same release is the
# same product, a newer release replaces it (MajorUpgrade). A component keeps its GUID from
# release to release; the 32-bit and the 64-bit package share none.
string(UUID product_code NAMESPACE "${CPACK_LARKSPUR_UPGRADE_CODE}"
       NAME "${CPACK_LARKSPUR_MSI_VERSION} ${CPACK_LARKSPUR_ARCH}" TYPE SHA1 UPPER)
set(component_guids "")
foreach(component Program Documents EnglishDocuments UserProgramsFolder StartMenu Associations
                  AppPath)
    string(UUID guid NAMESPACE "${CPACK_LARKSPUR_UPGRADE_CODE}"
           NAME "${component} ${CPACK_LARKSPUR_ARCH}" TYPE SHA1 UPPER)
    list(APPEND component_guids --define "${component}Guid=${guid}")
endforeach()

# The sample menus are whatever was staged beside the program: a component each, its code from
# the file's name, with a value under HKMU as its key path (the user's or the machine's, as the
# program's).
if(win64)
    set(never_overwrite 388)  # 64-bit, registry key path, never overwrite
else()
    set(never_overwrite 132)
endif()
file(GLOB samples RELATIVE "${stage}" "${stage}/*.Larkspur")
set(sample_components "")
set(sample_refs "")
set(never_overwrite_queries "")
set(index 0)
foreach(sample IN LISTS samples)
    math(EXPR index "${index} + 1")
    string(UUID guid NAMESPACE "${CPACK_LARKSPUR_UPGRADE_CODE}"
           NAME "Sample ${sample} ${CPACK_LARKSPUR_ARCH}" TYPE SHA1 UPPER)
    string(APPEND sample_components
           "  <Component Id=\"Sample${index}\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
           "    <File Id=\"Sample${index}\" Source=\"${sample}\"/>\n"
           "    <RegistryValue Root=\"HKMU\" Key=\"Software\\Brindle\\ShowLarkspur\\Installation\"\n"
           "                   Name=\"${sample}\" Type=\"string\" Value=\"[#Sample${index}]\" KeyPath=\"yes\"/>\n"
           "  </Component>\n")
    string(APPEND sample_refs "  <ComponentRef Id=\"Sample${index}\"/>\n")
    list(APPEND never_overwrite_queries
         -q "UPDATE Component SET Attributes = ${never_overwrite} WHERE Component = 'Sample${index}'")
endforeach()
set(include_head "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n")
file(WRITE "${work}/Samples.wxi" "${include_head}${sample_components}</Include>\n")
file(WRITE "${work}/SampleRefs.wxi" "${include_head}${sample_refs}</Include>\n")

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
            --define "X64Package=${x64_package}"
            ${component_guids}
            --output "${msi}" "${CPACK_LARKSPUR_WXS}"
    WORKING_DIRECTORY "${stage}"  # wixl takes the files' sources relative to it
    RESULT_VARIABLE wixl_result)
if(NOT wixl_result EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${msi}")
endif()
# What wixl leaves out or gets wrong, set in the database it wrote: the code page of its
# strings, the summary information's language, HKMU's root (-1; wixl writes 4), the samples'
# never-overwrite bit, the user's Programs folder left alone by a per-machine install, the
# older product removed after the newer one is installed (wixl removes it first, and with it the
# samples the user edited), and the program's version and languages (wixl leaves them empty, and
# Windows Installer would keep the older, versioned program over an unversioned newer one) in
# place of the hash that only unversioned files have.
file(WRITE "${work}/_ForceCodepage.idt" "\r\n\r\n1251\t_ForceCodepage\r\n")
include("${CMAKE_CURRENT_LIST_DIR}/ExecutableVersion.cmake")
larkspur_executable_version("${stage}/ShowLarkspur.exe" program_version program_languages)
# Upgrades replace the program by its version: one that stayed behind the package's would be
# kept over by the installed one of the same version.
string(REPLACE "." "\\." package_version_pattern "${CPACK_LARKSPUR_MSI_VERSION}")
if(NOT program_version MATCHES "^${package_version_pattern}\\.[0-9]+$")
    message(FATAL_ERROR "ShowLarkspur.exe is version ${program_version}, the package "
                        "${CPACK_LARKSPUR_MSI_VERSION}: raise the version in "
                        "resources/ShowLarkspur.rc with the project's")
endif()
execute_process(COMMAND "${CPACK_LARKSPUR_MSIINFO}" suminfo "${msi}"
                OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "Revision number \\(UUID\\): ([^\n]+)" ignored "${summary}")
execute_process(
    COMMAND "${CPACK_LARKSPUR_MSIBUILD}" "${msi}" -i "${work}/_ForceCodepage.idt"
            -q "UPDATE Registry SET Root = -1 WHERE Root = 4"
            ${never_overwrite_queries}
            -q "UPDATE Component SET Condition = 'NOT (ALLUSERS=1)' WHERE Component = 'UserProgramsFolder'"
            -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('InstallExecute', 6500)"
            -q "UPDATE InstallExecuteSequence SET Sequence = 6550 WHERE Action = 'RemoveExistingProducts'"
            -q "UPDATE File SET Version = '${program_version}', Language = '${program_languages}' WHERE File = 'ShowLarkspur.exe'"
            -q "DELETE FROM MsiFileHash WHERE File_ = 'ShowLarkspur.exe'"
            -s "Show larkspur ${CPACK_LARKSPUR_MSI_VERSION}" Brindle  # -s takes the rest
               "${CPACK_LARKSPUR_ARCH};1049" "${CMAKE_MATCH_1}"
    RESULT_VARIABLE msibuild_result)
if(NOT msibuild_result EQUAL 0)
    message(FATAL_ERROR "msibuild could not complete ${msi}")
endif()

include("${CPACK_LARKSPUR_SIGN_FILE}")
larkspur_sign_file("${msi}")

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
