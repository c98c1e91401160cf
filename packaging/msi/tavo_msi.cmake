# The installers with wixl, both from tavo.wxs: tavo-<version>.msi (per
# machine) and tavo-<version>-user.msi (per user, no administrator rights),
# each with the 64-bit server of this build, the 32-bit server of the
# companion build (TAVO_WIN32_BUILD), the Windows guide, the host workbook
# and the help document.
# Included (in its scope) by com/CMakeLists.txt in the 64-bit build.
find_program(WIXL wixl REQUIRED)
set(TAVO_MSI_DIR ${CMAKE_BINARY_DIR} CACHE PATH "folder the installers are written to")
set(TAVO_WXS ${CMAKE_CURRENT_LIST_DIR}/tavo.wxs)
set(TAVO_DLL32 ${TAVO_WIN32_BUILD}/tavo.dll)
# The macro-enabled host workbook (`tavo init --macro`, made by the native
# command); without it the package carries the servers and the guide only.
set(TAVO_HOST_WORKBOOK "" CACHE FILEPATH "host workbook .xlsm the MSI installs beside the guide")
# The help document, beside each tavo.dll (where the component looks for it
# when the workbook's folder has none); without LibreOffice Writer on the
# build machine the packages are made without it.
include(${TAVO_ROOT}/docs/help/help_doc.cmake)
tavo_help_doc(${CMAKE_BINARY_DIR}/help.doc)

# The upgrade code lives in the .wxs only; the tests read it from there too.
file(STRINGS ${TAVO_WXS} upgrade_line REGEX "UpgradeCode=")
string(REGEX MATCH "[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+" TAVO_UPGRADE_CODE "${upgrade_line}")
if(NOT TAVO_UPGRADE_CODE)
  message(FATAL_ERROR "no UpgradeCode in ${TAVO_WXS}")
endif()
set(TAVO_UPGRADE_CODE_BRACED {${TAVO_UPGRADE_CODE}})

# tavo_msi(TARGET OUTPUT VERSION [SCOPE]): one package of VERSION, SCOPE
# perMachine (the default) or perUser. Its product code is a name-based UUID
# of the version (and, per user, the scope), so one version of one scope is
# always one product. wixl takes only relative sources, so the inputs are
# staged beside it.
function(tavo_msi target output version)
  set(scope perMachine)
  set(product_name "tavo ${version}")
  if(ARGC GREATER 3 AND ARGV3 STREQUAL "perUser")
    set(scope perUser)
    set(product_name "tavo ${version} per user")
  endif()
  string(UUID product_code NAMESPACE ${TAVO_UPGRADE_CODE} NAME "${product_name}" TYPE SHA1 UPPER)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}-stage)
  file(MAKE_DIRECTORY ${stage})
  set(workbook_args -D WithWorkbook=no)
  set(workbook_copy)
  if(TAVO_HOST_WORKBOOK)
    set(workbook_args -D WithWorkbook=yes -D HostWorkbook=host.xlsm)
    set(workbook_copy COMMAND ${CMAKE_COMMAND} -E copy ${TAVO_HOST_WORKBOOK} ${stage}/host.xlsm)
  endif()
  set(help_args -D WithHelp=no)
  set(help_copy)
  if(TAVO_HELP_DOC)
    set(help_args -D WithHelp=yes -D Help=help.doc)
    set(help_copy COMMAND ${CMAKE_COMMAND} -E copy ${TAVO_HELP_DOC} ${stage}/help.doc)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavo> ${stage}/tavo64.dll
    COMMAND ${CMAKE_COMMAND} -E copy ${TAVO_DLL32} ${stage}/tavo32.dll
    COMMAND ${CMAKE_COMMAND} -E copy ${TAVO_ROOT}/docs/windows.md ${stage}/windows.md
    ${workbook_copy}
    ${help_copy}
    COMMAND ${WIXL} -a x64 -D Scope=${scope} -D Version=${version} -D ProductCode={${product_code}}
            -D Dll64=tavo64.dll -D Dll32=tavo32.dll -D Guide=windows.md ${workbook_args} ${help_args}
            -o ${output} ${TAVO_WXS}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${TAVO_WXS} tavo ${TAVO_DLL32} ${TAVO_ROOT}/docs/windows.md ${TAVO_HOST_WORKBOOK} ${TAVO_HELP_DOC}
    COMMENT "wixl: ${output}" VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

set(TAVO_MSI ${TAVO_MSI_DIR}/tavo-${TAVO_VERSION}.msi)
tavo_msi(tavo_msi ${TAVO_MSI} ${TAVO_VERSION})
set(TAVO_USER_MSI ${TAVO_MSI_DIR}/tavo-${TAVO_VERSION}-user.msi)
tavo_msi(tavo_user_msi ${TAVO_USER_MSI} ${TAVO_VERSION} perUser)
