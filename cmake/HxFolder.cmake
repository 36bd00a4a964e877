# Every subsystem folder is one static library made of the .cpp/.h files it
# holds; new files are picked up without touching any CMakeLists. A folder
# that holds only headers so far becomes an interface library.
# Files named after EXCLUDE belong to another library of the folder.
function(hx_folder_library name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB _cpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  file(GLOB _h CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER _cpp EXCLUDE REGEX "/main\\.cpp$")
  foreach(_x ${ARG_EXCLUDE})
    list(REMOVE_ITEM _cpp ${CMAKE_CURRENT_SOURCE_DIR}/${_x})
  endforeach()
  if(_cpp)
    add_library(${name} STATIC ${_cpp} ${_h})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    set(_scope PUBLIC PARENT_SCOPE)
  else()
    add_library(${name} INTERFACE ${_h})
    target_include_directories(${name} INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  endif()
endfunction()

# Links a folder library to its dependencies whichever kind it is.
function(hx_link_deps name)
  get_target_property(_type ${name} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()
