# orvano_library(<target> [DIRS <dir>...] LIBS <dep>...)
# Builds a static library from every .cpp/.h/.qrc under the listed folders
# (the current folder when none is given), so adding a file needs no edit here.
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
    target_include_directories(${target} PUBLIC ${ARG_DIRS})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  else()
    # Nothing built here yet: an interface library keeps the links in place.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${ARG_DIRS})
    target_link_libraries(${target} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# orvano_tests(<folder> LIBS <dep>...)
# Every <name>_test.cpp in the folder becomes its own test program,
# registered with ctest as <folder>/<name>.
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
    target_compile_definitions(${target} PRIVATE ORVANO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    string(REGEX REPLACE "_test$" "" short ${name})
    add_test(NAME ${folder}/${short} COMMAND ${target})
    set_tests_properties(${folder}/${short} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
      TIMEOUT 600)
  endforeach()
endfunction()
