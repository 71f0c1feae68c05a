# Every header under src/ compiles on its own: a generated source per header
# includes it, twice (its include guard), and nothing else, built against its
# folder's library. A header that leans on what its includers happen to bring
# in fails here, not in the next file that includes it first.
function(qv_check_headers folder)
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    set(sources)
    foreach(header ${headers})
        string(MAKE_C_IDENTIFIER ${header} name)
        set(source ${CMAKE_BINARY_DIR}/header-check/${name}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n#include \"${header}\"\n")
        list(APPEND sources ${source})
    endforeach()
    add_library(qv_${folder}_headers OBJECT ${sources})
    target_link_libraries(qv_${folder}_headers PRIVATE qv_${folder})
    set_target_properties(qv_${folder}_headers PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()
