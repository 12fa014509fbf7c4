# Where NX's own functions come from, and the libraries that NX loads.
#
# nxopen_libraries: link it to call the NX Open C API. With NX_SDK_DIR: NX's import libraries
# from the SDK. In a MinGW build without the SDK: import libraries that dlltool makes from
# nxopen/windows/*.def, after checking those files against the headers. Otherwise: the stand-in.
#
# nx_loaded_library(<target> SOURCES <files> EXPORTS <names> [LIBS <targets>] [OUTPUT_NAME <name>]
#                   [IMPORTS <dlls>])
#   A library loaded at run time (the add-on, an extension library): shared, without the "lib"
#   prefix, linked to NX's functions, exporting exactly EXPORTS. A MinGW build checks after every
#   link that the DLL exports those names and nothing else, and imports only from Windows, NX and
#   the DLLs of our own named in IMPORTS. A MinGW build also lists it for the Windows package
#   (packaging/): installed in NX's qz\application folder, or in the folders of its target property
#   TORVANE_INSTALL_FOLDERS below that folder.

set(NX_LIBRARY_NAMES libufun libugopenint libufun_cam libugopenint_cam)

add_library(nxopen_libraries INTERFACE)
if(NX_SDK_DIR)
  foreach(lib ${NX_LIBRARY_NAMES})
    target_link_libraries(nxopen_libraries INTERFACE ${NX_SDK_DIR}/${lib}.lib)
  endforeach()
elseif(MINGW)
  set(nx_lib_dir ${CMAKE_BINARY_DIR}/nxopen)
  file(MAKE_DIRECTORY ${nx_lib_dir})
  file(GLOB nx_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/nxopen/include/*.h)
  set(nx_defs_checked ${nx_lib_dir}/definitions-checked.stamp)
  add_custom_command(OUTPUT ${nx_defs_checked}
    COMMAND ${CMAKE_COMMAND} -DNXOPEN_DIR=${CMAKE_SOURCE_DIR}/nxopen -DSTAMP=${nx_defs_checked}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckNxopenDefs.cmake
    DEPENDS ${nx_headers} ${CMAKE_SOURCE_DIR}/cmake/CheckNxopenDefs.cmake
    COMMENT "Checking nxopen/windows/*.def against nxopen/include")
  set(nx_import_libs)
  foreach(lib ${NX_LIBRARY_NAMES})
    set(def ${CMAKE_SOURCE_DIR}/nxopen/windows/${lib}.def)
    add_custom_command(OUTPUT ${nx_lib_dir}/${lib}.a
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${lib}.dll --output-lib ${nx_lib_dir}/${lib}.a
      DEPENDS ${def} ${nx_defs_checked}
      COMMENT "Import library of ${lib}.dll")
    list(APPEND nx_import_libs ${nx_lib_dir}/${lib}.a)
  endforeach()
  add_custom_target(nxopen_import_libraries DEPENDS ${nx_import_libs})
  add_dependencies(nxopen_libraries nxopen_import_libraries)
  target_link_libraries(nxopen_libraries INTERFACE ${nx_import_libs})
elseif(WIN32)
  message(FATAL_ERROR "A Windows build needs NX_SDK_DIR (NX's import libraries) or MinGW's dlltool")
else()
  target_link_libraries(nxopen_libraries INTERFACE nxhost_core)
endif()

# Windows and its C runtime: what a DLL of ours may import besides NX.
set(NX_WINDOWS_SYSTEM_DLLS KERNEL32.dll msvcrt.dll USER32.dll ADVAPI32.dll)

function(nx_loaded_library name)
  cmake_parse_arguments(L "" "OUTPUT_NAME" "SOURCES;EXPORTS;LIBS;IMPORTS" ${ARGN})
  add_library(${name} SHARED ${L_SOURCES})
  target_link_libraries(${name} PRIVATE ${L_LIBS} nxopen_libraries)
  target_compile_options(${name} PRIVATE ${TORVANE_ADDON_COMPILE_OPTIONS})
  if(NOT L_OUTPUT_NAME)
    set(L_OUTPUT_NAME ${name})
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${L_OUTPUT_NAME})
  if(MINGW)
    set_property(GLOBAL APPEND PROPERTY TORVANE_LOADED_LIBRARIES ${name})
    set(allowed ${NX_WINDOWS_SYSTEM_DLLS} ${L_IMPORTS})
    foreach(lib ${NX_LIBRARY_NAMES})
      list(APPEND allowed ${lib}.dll)
    endforeach()
    set_target_properties(${name} PROPERTIES TORVANE_EXPORTS "${L_EXPORTS}" TORVANE_IMPORTS_ALLOWED "${allowed}")
    string(REPLACE ";" "," exports "${L_EXPORTS}")
    string(REPLACE ";" "," allowed "${allowed}")
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:${name}> -DOBJDUMP=${CMAKE_OBJDUMP}
              -DEXPORTS=${exports} -DIMPORTS_ALLOWED=${allowed}
              -P ${CMAKE_SOURCE_DIR}/cmake/CheckDllExports.cmake
      VERBATIM)
  elseif(NOT WIN32 AND NOT TORVANE_FUZZ)
    # (Under clang's sanitizers a library takes their runtime from the program that loads it.)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
