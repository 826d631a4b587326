# What a release ships of this build: zelvan.exe (a Release build is stripped
# when linked) and the licence, as cmake --install DIR puts them, and the setup
# program made from them by CPack's NSIS generator (cmake --build DIR --target
# package) with the script template cmake/packaging/NSIS.template.in.
# scripts/package.sh builds both architectures and adds the portable package
# and the checksums.

install(TARGETS zelvan RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE.txt DESTINATION .)

# The architecture's word in the release file names, and NSIS's target: the
# 64-bit setup program is a 64-bit program itself.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZELVAN_RELEASE_ARCH x64)
  set(CPACK_ZELVAN_NSIS_TARGET amd64-unicode)
else()
  set(ZELVAN_RELEASE_ARCH x86)
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
set(CPACK_ZELVAN_ICON ${CMAKE_SOURCE_DIR}/resources/pictures/zelvan.ico)
# The program's main window, which the setup program asks to close before it
# replaces the files.
set(CPACK_ZELVAN_WINDOW_CLASS Zelvan-Quenterbil-Hebrew)
set(CPACK_ZELVAN_WINDOW_TITLE Zelvan)
# The settings key, which the uninstaller leaves in place.
set(CPACK_ZELVAN_SETTINGS_KEY "HKEY_CURRENT_USER\\Thalvane\\Zelvan-Quenterbil-Hebrew")
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/packaging)
include(CPack)
