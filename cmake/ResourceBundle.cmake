# vexilo_add_resource_bundle(TARGET PREFIX DIR FILES...)
# Compiles FILES (relative to DIR) into a GResource bundle under PREFIX and
# adds it to TARGET; the bundle registers itself when the binary loads, so
# plat::ResourceModule::FromBundle(PREFIX) finds its files.
find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)

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
  # The generated source registers the bundle through GIO.
  target_link_libraries(${target} PRIVATE PkgConfig::CAIRO)
  set_source_files_properties("${src}" PROPERTIES COMPILE_OPTIONS "-w")
endfunction()
