# 32-bit x86 build on a 64-bit x86 host, with the multilib compilers (g++-multilib):
#   cmake -S . -B build-m32 -DCMAKE_TOOLCHAIN_FILE=cmake/m32.cmake ...
# Every object and link step gets -m32, and libraries are looked for in the 32-bit
# folders first.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set_property(GLOBAL PROPERTY FIND_LIBRARY_USE_LIB32_PATHS TRUE)

# Some 64-bit kernels (virtual machines, containers) do not run 32-bit programs. There the
# tests run the 32-bit programs under qemu-i386, which gives them the same 32-bit ABI.
# scripts/runs-32bit.sh asks the kernel by running a small 32-bit program.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/runs-32bit.sh
    RESULT_VARIABLE velmorin_m32_native OUTPUT_QUIET ERROR_QUIET)
  if(NOT velmorin_m32_native EQUAL 0)
    find_program(VELMORIN_QEMU_I386 qemu-i386)
    if(VELMORIN_QEMU_I386)
      set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORIN_QEMU_I386})
    endif()
  endif()
endif()
