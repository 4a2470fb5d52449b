# pw_version_resource(TARGET FILE_NAME DESCRIPTION [ICON ico] [MANIFEST manifest]): gives TARGET
# the version information of the project's version, and optionally the program's icon (resource
# 1) and application manifest.
function(pw_version_resource target file_name description)
    cmake_parse_arguments(PARSE_ARGV 3 arg "" "ICON;MANIFEST" "")
    set(PW_FILE_NAME ${file_name})
    set(PW_FILE_DESCRIPTION ${description})
    if(file_name MATCHES "\\.dll$")
        set(PW_FILE_TYPE VFT_DLL)
    else()
        set(PW_FILE_TYPE VFT_APP)
    endif()
    set(PW_EXTRA_RESOURCES "")
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
    file(MAKE_DIRECTORY ${generated})
    set(depends "")
    if(arg_ICON)
        string(APPEND PW_EXTRA_RESOURCES "1 ICON \"${arg_ICON}\"\n")
        list(APPEND depends ${arg_ICON})
    endif()
    if(arg_MANIFEST)
        string(APPEND PW_EXTRA_RESOURCES
               "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${arg_MANIFEST}\"\n")
        list(APPEND depends ${arg_MANIFEST})
    endif()
    set(rc ${generated}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    if(depends)
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
    endif()
    target_sources(${target} PRIVATE ${rc})
endfunction()

# The program's icon, drawn by packaging/make_icon.py.
set(PW_ICON ${CMAKE_BINARY_DIR}/generated/partwright.ico)
add_custom_command(
    OUTPUT ${PW_ICON}
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/packaging/make_icon.py ${PW_ICON}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/make_icon.py
    COMMENT "Drawing the program's icon")
add_custom_target(pw_icon DEPENDS ${PW_ICON})

# Four-part version for the manifest.
set(PW_VERSION4 ${PROJECT_VERSION}.0)
set(PW_MANIFEST ${CMAKE_BINARY_DIR}/generated/partwright.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/partwright.manifest.in ${PW_MANIFEST} @ONLY)
