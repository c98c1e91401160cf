# tavo_help_doc(OUTPUT): the user's help document help.doc, converted at build
# time from docs/help/help.html by LibreOffice Writer into the Word 97 format
# that both the word processor and LibreOffice open. Sets TAVO_HELP_DOC in the
# caller's scope to the file and makes the target tavo_help_doc, or, when
# soffice or its Writer is not installed, leaves TAVO_HELP_DOC empty and says
# so: everything else builds without the document.
function(tavo_help_doc output)
  set(TAVO_HELP_DOC "" PARENT_SCOPE)
  find_program(TAVO_SOFFICE soffice)
  if(NOT TAVO_SOFFICE)
    message(STATUS "help.doc: not built (soffice not found; install libreoffice-writer)")
    return()
  endif()
  # soffice starts without Writer too and then converts nothing; its
  # program folder holds Writer's library when Writer is installed.
  get_filename_component(soffice_real ${TAVO_SOFFICE} REALPATH)
  get_filename_component(office_program ${soffice_real} DIRECTORY)
  if(NOT EXISTS ${office_program}/libswlo.so)
    message(STATUS "help.doc: not built (LibreOffice Writer not installed: libreoffice-writer)")
    return()
  endif()

  set(source ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/help.html)
  get_filename_component(work ${output} DIRECTORY)
  set(work ${work}/help-doc-work)
  # A profile of its own in the build folder, so that builds running side
  # by side, and a LibreOffice the user has open, never share one.
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}
    COMMAND ${TAVO_SOFFICE} -env:UserInstallation=file://${work}/profile --headless --norestore
            "--infilter=HTML (StarWriter)" "--convert-to" "doc:MS Word 97" --outdir ${work} ${source}
    COMMAND ${CMAKE_COMMAND} -E copy ${work}/help.doc ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}
    DEPENDS ${source}
    COMMENT "LibreOffice: help.html -> help.doc" VERBATIM)
  add_custom_target(tavo_help_doc ALL DEPENDS ${output})
  set(TAVO_HELP_DOC ${output} PARENT_SCOPE)
endfunction()
