# Installs the built library into a scratch prefix, then configures, builds and runs a
# downstream project against it (find_package and pkg-config).
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK}/prefix"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SRC}" -B "${WORK}/build"
                        "-DCMAKE_PREFIX_PATH=${WORK}/prefix" RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "find_package(tamo1dkernel) in a downstream project failed: ${rc}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}/build" RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "downstream build failed: ${rc}")
endif()
file(GLOB libdirs "${WORK}/prefix/lib*")
string(REPLACE ";" ":" libpath "${libdirs}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "LD_LIBRARY_PATH=${libpath}"
                        "${WORK}/build/downstream" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "downstream program failed: ${rc}")
endif()
file(GLOB_RECURSE pcfile "${WORK}/prefix/*/tamo1dkernel.pc")
if(NOT pcfile)
  message(FATAL_ERROR "no pkg-config file installed")
endif()
