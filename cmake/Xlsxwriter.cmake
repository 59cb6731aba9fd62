# libxlsxwriter as the target appgen_xlsxwriter, when there is one for this
# build: a static library made from Debian's source package, which
# scripts/install-deps.sh keeps in third_party-cache/libxlsxwriter; on Linux,
# without that source, the system's library (Debian's libxlsxwriter-dev).
#
# The static library is preferred on Linux too: the shared one brings its zip
# and crypto libraries, loaded at every start of the desktop program for a
# table it may never write, and it formats numbers in the process's locale,
# so a decimal comma would land in a workbook's cells. Built here it keeps its
# own zip code and formats numbers the same in every locale.
if(TARGET appgen_xlsxwriter)
  return()
endif()

file(GLOB APPGEN_XLSXWRITER_SOURCE
     ${PROJECT_SOURCE_DIR}/third_party-cache/libxlsxwriter/libxlsxwriter_*.orig.tar.gz)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  find_library(APPGEN_ZLIB NAMES libz.a)
  find_path(APPGEN_ZLIB_INCLUDE zlib.h)
else()
  find_package(ZLIB)
  if(ZLIB_FOUND)
    set(APPGEN_ZLIB ${ZLIB_LIBRARIES})
    set(APPGEN_ZLIB_INCLUDE ${ZLIB_INCLUDE_DIRS})
  endif()
endif()

if(APPGEN_XLSXWRITER_SOURCE AND APPGEN_ZLIB AND APPGEN_ZLIB_INCLUDE)
  list(GET APPGEN_XLSXWRITER_SOURCE -1 APPGEN_XLSXWRITER_SOURCE)
  # The tarball is checked against the checksum its source package lists
  # (apt-get source verified that .dsc).
  get_filename_component(tarball ${APPGEN_XLSXWRITER_SOURCE} NAME)
  file(GLOB dsc ${PROJECT_SOURCE_DIR}/third_party-cache/libxlsxwriter/*.dsc)
  set(hash)
  if(dsc)
    list(GET dsc -1 dsc)
    file(STRINGS ${dsc} sums REGEX "^ [0-9a-f]+ [0-9]+ ${tarball}$")
    foreach(line IN LISTS sums)
      string(REGEX MATCH "^ ([0-9a-f]+) " match "${line}")
      string(LENGTH "${CMAKE_MATCH_1}" length)
      if(length EQUAL 64)
        set(hash URL_HASH SHA256=${CMAKE_MATCH_1})
      endif()
    endforeach()
  endif()
  enable_language(C)
  include(ExternalProject)
  set(src ${PROJECT_BINARY_DIR}/libxlsxwriter/src)
  set(bin ${PROJECT_BINARY_DIR}/libxlsxwriter/build)
  if(WIN32)
    # Without __MINGW32__ the library takes its Windows branches: UTF-8 file
    # names opened through the wide calls, so that a Cyrillic folder works.
    set(flags -U__MINGW32__)
  endif()
  ExternalProject_Add(appgen_libxlsxwriter
    URL ${APPGEN_XLSXWRITER_SOURCE}
    ${hash}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    SOURCE_DIR ${src}
    BINARY_DIR ${bin}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=Release
      -DBUILD_SHARED_LIBS=OFF
      -DCMAKE_POSITION_INDEPENDENT_CODE=ON
      -DUSE_DTOA_LIBRARY=ON
      -DZLIB_LIBRARY=${APPGEN_ZLIB}
      -DZLIB_INCLUDE_DIR=${APPGEN_ZLIB_INCLUDE}
      -DCMAKE_C_FLAGS=${flags}
      -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${bin}/libxlsxwriter.a)
  add_library(appgen_xlsxwriter INTERFACE)
  target_include_directories(appgen_xlsxwriter INTERFACE ${src}/include)
  target_link_libraries(appgen_xlsxwriter INTERFACE ${bin}/libxlsxwriter.a)
  if(WIN32)
    # The zip library's wide-call file functions, which the library's own
    # build compiles for MSVC only.
    set(io ${src}/third_party/minizip/iowin32.c)
    set_source_files_properties(${io} PROPERTIES GENERATED TRUE)
    add_library(appgen_xlsxwriter_io STATIC ${io})
    add_dependencies(appgen_xlsxwriter_io appgen_libxlsxwriter)
    target_include_directories(appgen_xlsxwriter_io PRIVATE ${APPGEN_ZLIB_INCLUDE})
    target_compile_options(appgen_xlsxwriter_io PRIVATE -U__MINGW32__)
    target_link_libraries(appgen_xlsxwriter INTERFACE appgen_xlsxwriter_io)
  endif()
  target_link_libraries(appgen_xlsxwriter INTERFACE ${APPGEN_ZLIB})
  add_dependencies(appgen_xlsxwriter appgen_libxlsxwriter)
  return()
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  message(STATUS "libxlsxwriter's source or mingw-w64 zlib missing (scripts/install-deps.sh "
                 "fetches them): tables are written as CSV only")
  return()
endif()

find_path(APPGEN_XLSXWRITER_INCLUDE xlsxwriter.h)
find_library(APPGEN_XLSXWRITER_LIBRARY xlsxwriter)
if(APPGEN_XLSXWRITER_INCLUDE AND APPGEN_XLSXWRITER_LIBRARY)
  message(STATUS "libxlsxwriter's source missing (scripts/install-deps.sh fetches it): "
                 "the system's shared library is used")
  add_library(appgen_xlsxwriter INTERFACE IMPORTED GLOBAL)
  target_include_directories(appgen_xlsxwriter INTERFACE ${APPGEN_XLSXWRITER_INCLUDE})
  target_link_libraries(appgen_xlsxwriter INTERFACE ${APPGEN_XLSXWRITER_LIBRARY})
else()
  message(STATUS "libxlsxwriter not found: tables are written as CSV only")
endif()
