# Run by CPack's External generator: builds <package file name>.msi with wixl from the
# staged installation, for the version CPack packs (cpack -D CPACK_PACKAGE_VERSION=... makes
# one of another version from the same programs). wixl finds the files the WiX source names
# relative to the folder it runs in, the staged installation.
find_program(wixl wixl REQUIRED)
file(RELATIVE_PATH icon ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_ROUTIX_ICON})
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(
  COMMAND ${wixl} --arch x64 -D Version=${CPACK_PACKAGE_VERSION} -D Icon=${icon}
          -o ${msi} ${CPACK_ROUTIX_WXS}
  WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
  COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
