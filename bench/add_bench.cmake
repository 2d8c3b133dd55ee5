# Adds the benchmarks to the build when the top CMakeLists.txt does not (yet) do so itself.
# bench/run passes this file as CMAKE_PROJECT_INCLUDE; the call is deferred to the end of the top
# directory, where every library the benchmarks link exists. A deferred call may not add a
# subdirectory, so bench/CMakeLists.txt is written to work when included as well.
function(zanu_add_bench_once)
  if(NOT TARGET zanu-bench)
    include(${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zanu_add_bench_once)
