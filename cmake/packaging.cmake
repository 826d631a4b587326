# What a release ships of this build: zelvan.exe and zelvan-cli.exe (a Release
# build is stripped when linked), the readme and the licence with Windows line
# ends, as cmake --install DIR puts them, and the setup program made from them
# by CPack's NSIS generator (cmake --build DIR --target package) with the
# script template cmake/packaging/NSIS.template.in. scripts/package.sh builds
# both architectures and adds the portable package and the checksums.

install(TARGETS zelvan zelvan-cli RUNTIME DESTINATION .)
# The texts as Windows shows them: every line ended by CR LF.
configure_file(${CMAKE_SOURCE_DIR}/LICENSE.txt ${CMAKE_BINARY_DIR}/release/LICENSE.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/cmake/packaging/README.txt.in
               ${CMAKE_BINARY_DIR}/release/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/LICENSE.txt ${CMAKE_BINARY_DIR}/release/README.txt
        DESTINATION .)

# The architecture's word in the release file names and in the list of
# installed programs, and NSIS's target: the 64-bit setup program is a 64-bit
# program itself.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZELVAN_RELEASE_ARCH x64)
  set(CPACK_ZELVAN_ARCH_NAME 64-bit)
  set(CPACK_ZELVAN_ARCH_BITS 64)
  set(CPACK_ZELVAN_NSIS_TARGET amd64-unicode)
else()
  set(ZELVAN_RELEASE_ARCH x86)
  set(CPACK_ZELVAN_ARCH_NAME 32-bit)
  set(CPACK_ZELVAN_ARCH_BITS 32)
  set(CPACK_ZELVAN_NSIS_TARGET x86-unicode)
endif()

set(CPACK_GENERATOR NSIS)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Zelvan)
set(CPACK_PACKAGE_VENDOR Thalvane)
set(CPACK_PACKAGE_VERSION ${ZELVAN_VERSION_TEXT})
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_FILE_NAME zelvan-${ZELVAN_VERSION_TEXT}-setup-${ZELVAN_RELEASE_ARCH})
set(CPACK_ZELVAN_PICTURES ${CMAKE_SOURCE_DIR}/resources/pictures)
# The program's main window, which the setup program asks to close before it
# replaces the files.
set(CPACK_ZELVAN_WINDOW_CLASS Zelvan-Quenterbil-Hebrew)
set(CPACK_ZELVAN_WINDOW_TITLE Zelvan)
# The settings key, which the uninstaller leaves in place unless asked, under
# HKEY_CURRENT_USER, and the folder of the study log, which it always leaves.
set(CPACK_ZELVAN_SETTINGS_KEY "Thalvane\\Zelvan-Quenterbil-Hebrew")
set(CPACK_ZELVAN_STUDY_LOG_FOLDER "%APPDATA%\\Thalvane\\Zelvan")
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/packaging)
include(CPack)
