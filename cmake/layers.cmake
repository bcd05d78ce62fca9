# Each layer's headers are reachable, as "folder/name.h", only from the
# targets that link it: the layer's folders are linked, header by header, into
# a directory of the layer's own, which is its public include directory.
function(quarvel_headers target)
  set(root ${CMAKE_BINARY_DIR}/headers/${target})
  foreach(folder ${ARGN})
    file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.inc)
    foreach(header ${headers})
      get_filename_component(folderOfLink ${root}/${header} DIRECTORY)
      file(MAKE_DIRECTORY ${folderOfLink})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL INTERFACE_LIBRARY)
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
