# vexilo_add_resource_bundle(TARGET PREFIX DIR FILES...)
# Compiles FILES (relative to DIR) into a GResource bundle under PREFIX and
# adds it to TARGET; the bundle registers itself when the binary loads, so
# plat::ResourceModule::FromBundle(PREFIX) finds its files.
find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(GIO REQUIRED IMPORTED_TARGET GLOBAL gio-2.0)

function(vexilo_add_resource_bundle target prefix dir)
  set(xml "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.gresource.xml")
  set(src "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.c")
  set(body "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gresources>\n  <gresource prefix=\"${prefix}\">\n")
  set(deps "")
  foreach(f IN LISTS ARGN)
    string(APPEND body "    <file>${f}</file>\n")
    list(APPEND deps "${dir}/${f}")
  endforeach()
  string(APPEND body "  </gresource>\n</gresources>\n")
  file(GENERATE OUTPUT "${xml}" CONTENT "${body}")
  string(MAKE_C_IDENTIFIER "${target}_resources" cname)
  add_custom_command(
    OUTPUT "${src}"
    COMMAND ${GLIB_COMPILE_RESOURCES} --generate-source --c-name ${cname}
            --sourcedir "${dir}" --target "${src}" "${xml}"
    DEPENDS "${xml}" ${deps}
    COMMENT "Bundling resources of ${target}")
  target_sources(${target} PRIVATE "${src}")
  # The generated source registers the bundle through GIO (and nothing
  # else of the platform's libraries).
  target_link_libraries(${target} PRIVATE PkgConfig::GIO)
  set_source_files_properties("${src}" PROPERTIES COMPILE_OPTIONS "-w")
endfunction()

# vexilo_add_catalogue(TARGET NAME FILE)
# Puts the language catalogue FILE beside TARGET's binary (built in the
# current binary folder) as NAME: the binary's name with the language suffix
# as extension (libkorvane.so -> libkorvane.rus), where the language code
# looks for it.
function(vexilo_add_catalogue target name file)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${name}")
  add_custom_command(OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "${out}"
    DEPENDS "${file}"
    COMMENT "Language catalogue ${name}")
  string(MAKE_C_IDENTIFIER "${name}" id)
  add_custom_target(catalogue_${id} ALL DEPENDS "${out}")
  add_dependencies(${target} catalogue_${id})
endfunction()
