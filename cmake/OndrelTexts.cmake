# The interface texts are kept as data, one .texts file a table, and turned into headers at build
# time by ondrel-texts (tools/texts):
#   ondrel_add_texts(TARGET file.texts...)
# gives TARGET the headers (file.h) in its build folder, on its public include path.
add_executable(ondrel-texts ${CMAKE_CURRENT_LIST_DIR}/../tools/texts/ondrel-texts.cpp)

function(ondrel_add_texts target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/texts)
  file(MAKE_DIRECTORY ${dir})
  foreach(texts IN LISTS ARGN)
    get_filename_component(name ${texts} NAME_WE)
    set(header ${dir}/${name}.h)
    add_custom_command(
      OUTPUT ${header}
      COMMAND ondrel-texts ${CMAKE_CURRENT_SOURCE_DIR}/${texts} ${header}
      DEPENDS ondrel-texts ${CMAKE_CURRENT_SOURCE_DIR}/${texts}
      COMMENT "Texts ${texts}"
      VERBATIM)
    target_sources(${target} PRIVATE ${texts} ${header})
  endforeach()
  target_include_directories(${target} PUBLIC ${dir})
endfunction()
