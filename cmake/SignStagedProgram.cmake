# Run by CPack for each package once the files are staged (and stripped): signs the program
# before it is packed. See cmake/Signing.cmake.
include("${CPACK_LARKSPUR_SIGN_FILE}")
larkspur_sign_file("${CPACK_TEMPORARY_DIRECTORY}/ShowLarkspur.exe")
