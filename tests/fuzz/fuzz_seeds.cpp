// The command line every fuzz target shares: `TARGET --make-seeds DIR VIDEO_TS` writes the
// target's seeds and exits; anything else goes to libFuzzer.
#include <cstdlib>
#include <cstring>

#include "fuzz_files.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc == 4 && std::strcmp((*argv)[1], "--make-seeds") == 0) {
        velmorin::test::writeSeeds((*argv)[2], (*argv)[3]);
        std::exit(0);
    }
    return 0;
}
