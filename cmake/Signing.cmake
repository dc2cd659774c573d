# Optional code signing of the release packages: with a certificate, `--target package` signs
# ShowLarkspur.exe once it is staged (before the ZIP and the MSI are made of it) and each MSI
# once it is built, with a timestamp. Without one, nothing is signed.
#
#   LARKSPUR_SIGN_CERTIFICATE     the certificate and its private key, a PKCS#12 file (.pfx)
#   LARKSPUR_SIGN_PASSWORD_ENV    the environment variable that holds its password at packaging
#                                 time (LARKSPUR_SIGN_PASSWORD); the password is never stored
#   LARKSPUR_SIGN_TIMESTAMP_URL   an RFC 3161 timestamp server; empty for none
#
# signtool (Windows SDK) signs on Windows, osslsigncode elsewhere.
set(LARKSPUR_SIGN_CERTIFICATE "" CACHE FILEPATH "PKCS#12 file to sign the packages with (none: unsigned)")
set(LARKSPUR_SIGN_PASSWORD_ENV LARKSPUR_SIGN_PASSWORD CACHE STRING
    "Environment variable holding the certificate's password when packaging")
set(LARKSPUR_SIGN_TIMESTAMP_URL http://timestamp.digicert.com CACHE STRING
    "RFC 3161 timestamp server for the signatures (empty: none)")
find_program(LARKSPUR_SIGNING_TOOL NAMES signtool osslsigncode)
if(LARKSPUR_SIGN_CERTIFICATE AND NOT LARKSPUR_SIGNING_TOOL)
    message(FATAL_ERROR "LARKSPUR_SIGN_CERTIFICATE is set, but neither signtool nor osslsigncode "
                        "(Debian: osslsigncode) was found")
endif()

# For cmake/SignStagedProgram.cmake and installer/BuildMsi.cmake, run by CPack.
set(CPACK_LARKSPUR_SIGN_CERTIFICATE "${LARKSPUR_SIGN_CERTIFICATE}")
set(CPACK_LARKSPUR_SIGN_PASSWORD_ENV "${LARKSPUR_SIGN_PASSWORD_ENV}")
set(CPACK_LARKSPUR_SIGN_TIMESTAMP_URL "${LARKSPUR_SIGN_TIMESTAMP_URL}")
set(CPACK_LARKSPUR_SIGNING_TOOL "${LARKSPUR_SIGNING_TOOL}")
set(CPACK_LARKSPUR_SIGN_FILE "${CMAKE_CURRENT_LIST_DIR}/SignFile.cmake")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/SignStagedProgram.cmake")
