# kestrel_header_library(TARGET HEADER_FOLDER PROBE): a header-only library of the build machine as
# an imported target. A cross-build takes the build machine's copy through a folder that holds
# nothing else, because the machine's own include folder would hide the target system's headers.
function(kestrel_header_library target folder probe)
    find_path(KESTREL_${folder}_INCLUDE ${folder}/${probe} REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    set(headers ${CMAKE_BINARY_DIR}/host-headers/${folder})
    file(MAKE_DIRECTORY ${headers})
    file(CREATE_LINK ${KESTREL_${folder}_INCLUDE}/${folder} ${headers}/${folder} SYMBOLIC)
    add_library(${target} INTERFACE IMPORTED)
    target_include_directories(${target} INTERFACE ${headers})
endfunction()
