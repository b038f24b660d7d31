# kadmor_program_help(TARGET HELP_SOURCE [MANUAL]): the executable answers --help and --version
# from HELP_SOURCE, which defines kadmor::cli::thisProgram() (base/program_help.h). With MANUAL the
# same description becomes its manual page, made at build time and installed in section 1.
function(kadmor_program_help target source)
  cmake_parse_arguments(ARG "MANUAL" "" "" ${ARGN})
  target_sources(${target} PRIVATE ${source})
  target_link_libraries(${target} PRIVATE kadmor_base)
  if(NOT ARG_MANUAL)
    return()
  endif()
  add_executable(${target}-manual ${source} ${PROJECT_SOURCE_DIR}/base/manual_page_main.cpp)
  target_link_libraries(${target}-manual PRIVATE kadmor_base)
  target_compile_definitions(${target}-manual PRIVATE KADMOR_RELEASE_DATE="${KADMOR_RELEASE_DATE}")
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${target}-manual ${page}
    # -n: no name or time stamp inside, so that the same sources give the same package.
    COMMAND gzip -9nf ${page}
    DEPENDS ${target}-manual
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_manual ALL DEPENDS ${page}.gz)
  set_property(GLOBAL APPEND PROPERTY KADMOR_MANUAL_PAGES ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
