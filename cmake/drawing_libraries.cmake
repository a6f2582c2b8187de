# kestrel_drawing: Cairo and zlib, for the code that draws and writes PNGs.
#
# A program whose KESTREL_STATIC_DRAWING property is on links Cairo and what Cairo draws with
# from their archives instead, where Linux has them (Debian's -dev packages install them). Most of
# kestrel-cli's commands draw nothing, yet loading and binding Cairo's twenty shared libraries
# (fontconfig, FreeType, the X client libraries ...) cost about 4 ms of every start: more than
# the scan of a small map. Only what the code calls is taken from the archives, and no X.
add_library(kestrel_drawing INTERFACE)
target_include_directories(kestrel_drawing INTERFACE ${CAIRO_INCLUDE_DIRS})

# In the order the linker needs them: each before the ones it calls.
set(kestrel_drawing_archives cairo pixman-1 fontconfig freetype png16 z expat brotlidec brotlicommon)
set(KESTREL_DRAWING_ARCHIVES "")
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    foreach(name IN LISTS kestrel_drawing_archives)
        find_library(KESTREL_ARCHIVE_${name} NAMES lib${name}.a)
        if(NOT KESTREL_ARCHIVE_${name})
            set(KESTREL_DRAWING_ARCHIVES "")
            break()
        endif()
        list(APPEND KESTREL_DRAWING_ARCHIVES ${KESTREL_ARCHIVE_${name}})
    endforeach()
endif()

set(static_wanted "$<BOOL:$<TARGET_PROPERTY:KESTREL_STATIC_DRAWING>>")
if(KESTREL_DRAWING_ARCHIVES)
    find_package(Threads REQUIRED)
    target_link_libraries(kestrel_drawing INTERFACE
        "$<${static_wanted}:${KESTREL_DRAWING_ARCHIVES};m;Threads::Threads>"
        "$<$<NOT:${static_wanted}>:PkgConfig::CAIRO;ZLIB::ZLIB>")
else()
    target_link_libraries(kestrel_drawing INTERFACE PkgConfig::CAIRO ZLIB::ZLIB)
endif()
