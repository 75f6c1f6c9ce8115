# orvano_library(<target> [DIRS <dir>...] LIBS <dep>...)
# Builds a static library from every .cpp/.h/.qrc under the listed folders
# (the current folder when none is given), so adding a file needs no edit here.
# Headers are found by their folder or by their path from the repository root.
function(orvano_library target)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  if(NOT ARG_DIRS)
    set(ARG_DIRS ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    list(APPEND sources ${found})
  endforeach()
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${ARG_DIRS} ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  else()
    # Nothing built here yet: an interface library keeps the links in place.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${ARG_DIRS} ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# True when a file declares a Qt meta-object (needs moc).
function(orvano_needs_moc out)
  set(result FALSE)
  foreach(file ${ARGN})
    file(STRINGS ${file} hits REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE|\\.moc\"")
    if(hits)
      set(result TRUE)
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# orvano_tests(<folder> LIBS <dep>...)
# Every <name>_test.cpp in the folder becomes its own test program,
# registered with ctest as <folder>/<name>. Programs share the precompiled
# headers of the test support library; moc runs only where a file needs it.
function(orvano_tests folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.qrc)
  string(REPLACE "/" "_" prefix ${folder})
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(target ${prefix}_${name})
    add_executable(${target} ${src} ${helpers})
    target_link_libraries(${target} PRIVATE orvano_testsupport ${ARG_LIBS})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
    orvano_needs_moc(moc ${src} ${helpers})
    set_target_properties(${target} PROPERTIES AUTOMOC ${moc})
    if(ORVANO_TEST_PCH)
      target_precompile_headers(${target} REUSE_FROM orvano_testsupport)
    endif()
    string(REGEX REPLACE "_test$" "" short ${name})
    add_test(NAME ${folder}/${short} COMMAND ${target})
    set_tests_properties(${folder}/${short} PROPERTIES
      ENVIRONMENT "${ORVANO_TEST_ENV}"
      TIMEOUT 600)
  endforeach()
endfunction()

# orvano_fuzz(<name> LIBS <dep>...)
# fuzz/<name>_fuzz.cpp becomes the libFuzzer program fuzz_<name>; seeds live in
# fuzz/corpus/<name>/.
function(orvano_fuzz name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  set(target fuzz_${name})
  add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp)
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  orvano_needs_moc(moc ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp)
  set_target_properties(${target} PROPERTIES AUTOMOC ${moc})
  add_dependencies(orvano_fuzzers ${target})
endfunction()
