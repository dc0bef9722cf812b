# The resources of the Windows programs. routix2shp_icon: the program's icon, drawn from
# packaging/routix2shp.svg at 16, 32, 48 and 256 pixels (the largest kept as PNG, as Windows
# expects), as resource 1, for every program that shows the window and for the command
# line. routix_version_resource(): a version resource from project(VERSION) for a program.
enable_language(RC)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)

set(ROUTIX_ICON ${CMAKE_BINARY_DIR}/routix2shp.ico)
set(svg ${PROJECT_SOURCE_DIR}/packaging/routix2shp.svg)
set(drawings)
set(draw_commands)
foreach(size 16 32 48 256)
  set(png ${CMAKE_BINARY_DIR}/icon/routix2shp-${size}.png)
  list(APPEND drawings ${png})
  list(APPEND draw_commands COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg})
endforeach()
list(POP_BACK drawings large)
add_custom_command(
  OUTPUT ${ROUTIX_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
  ${draw_commands}
  COMMAND ${ICOTOOL} -c -o ${ROUTIX_ICON} ${drawings} --raw=${large}
  DEPENDS ${svg}
  VERBATIM)
file(WRITE ${CMAKE_BINARY_DIR}/icon/routix2shp_icon.rc "1 ICON \"${ROUTIX_ICON}\"\n")
add_library(routix2shp_icon OBJECT ${CMAKE_BINARY_DIR}/icon/routix2shp_icon.rc ${ROUTIX_ICON})
set_source_files_properties(${CMAKE_BINARY_DIR}/icon/routix2shp_icon.rc
                            PROPERTIES OBJECT_DEPENDS ${ROUTIX_ICON})

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE ROUTIX_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)

# Gives TARGET, a program, its version resource, with DESCRIPTION as its file description.
function(routix_version_resource target description)
  set(file_name ${target}.exe)
  set(file_description ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
