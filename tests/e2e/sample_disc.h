// The sample title set that scripts/make-sample-disc.sh builds, and what libdvdread reads
// from its VTSI file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorin::test {

struct OracleReading {
    std::vector<std::uint32_t> vobus;  // VOBU start sectors across the VOB set
    std::vector<std::uint32_t> cells;  // cell first sectors
    std::vector<std::uint32_t> chapters;
    // Per program chain, its cell count and its programs' entry cells (1-based).
    struct ProgramChain {
        unsigned cells = 0;
        std::vector<unsigned> entryCells;
    };
    std::vector<ProgramChain> programChains;
};

std::string sampleVideoTs();                // the VIDEO_TS folder
std::vector<std::string> sampleVobFiles();  // VTS_01_1.VOB, VTS_01_2.VOB
OracleReading readOracle();

}  // namespace velmorin::test
