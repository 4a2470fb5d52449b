# pw_type_library(TARGET IDL): compiles IDL with widl into a type library embedded in TARGET as
# resource 1 (TYPELIB), and gives TARGET the generated declarations (NAME.h) and identifiers
# (NAME_i.c), where NAME is the IDL file's name.
function(pw_type_library target idl)
    get_filename_component(name ${idl} NAME_WE)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
    file(MAKE_DIRECTORY ${generated})
    set(tlb ${generated}/${name}.tlb)
    add_custom_command(
        OUTPUT ${generated}/${name}.h ${generated}/${name}_i.c ${tlb}
        COMMAND x86_64-w64-mingw32-widl -I/usr/include/wine/wine/windows
                -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
                -h -H ${generated}/${name}.h -u -U ${generated}/${name}_i.c -t -T ${tlb}
                ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
        COMMENT "Compiling the type library ${name}")
    file(WRITE ${generated}/${name}_typelib.rc "1 TYPELIB \"${tlb}\"\n")
    set_source_files_properties(${generated}/${name}_typelib.rc PROPERTIES OBJECT_DEPENDS ${tlb})
    # The generated identifier file is C and not ours to warn about.
    set_source_files_properties(${generated}/${name}_i.c PROPERTIES COMPILE_OPTIONS "-w")
    target_sources(${target} PRIVATE ${generated}/${name}_i.c ${generated}/${name}_typelib.rc)
    target_include_directories(${target} PRIVATE ${generated})
endfunction()
