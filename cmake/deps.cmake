# zlib comes from Debian's MinGW package; minizip and libpng are compiled here
# from the upstream sources that scripts/fetch-deps.sh unpacks into .deps/src.
set(DEPS_SRC ${PROJECT_SOURCE_DIR}/.deps/src)
if(NOT EXISTS ${DEPS_SRC}/zlib/.done OR NOT EXISTS ${DEPS_SRC}/libpng/.done)
  message(FATAL_ERROR "dependency sources missing: run scripts/fetch-deps.sh")
endif()

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

set(minizip_dir ${DEPS_SRC}/zlib/contrib/minizip)
add_library(minizip STATIC ${minizip_dir}/unzip.c ${minizip_dir}/ioapi.c)
target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir})
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)

set(png_dir ${DEPS_SRC}/libpng)
set(png_gen ${CMAKE_BINARY_DIR}/deps/libpng)
configure_file(${png_dir}/scripts/pnglibconf.h.prebuilt ${png_gen}/pnglibconf.h COPYONLY)
add_library(png STATIC
  ${png_dir}/png.c ${png_dir}/pngerror.c ${png_dir}/pngget.c ${png_dir}/pngmem.c
  ${png_dir}/pngread.c ${png_dir}/pngrio.c ${png_dir}/pngrtran.c ${png_dir}/pngrutil.c
  ${png_dir}/pngset.c ${png_dir}/pngtrans.c ${png_dir}/pngpread.c
  ${png_dir}/pngwio.c ${png_dir}/pngwrite.c ${png_dir}/pngwtran.c ${png_dir}/pngwutil.c)
target_include_directories(png SYSTEM PUBLIC ${png_dir} ${png_gen})
target_compile_options(png PRIVATE -w)
target_link_libraries(png PUBLIC ZLIB::ZLIB)

# GoogleTest from Debian's sources, built for the target.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL)
