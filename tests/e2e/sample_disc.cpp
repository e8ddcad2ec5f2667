#include "sample_disc.h"

#include <sstream>
#include <stdexcept>

#include "support/run_command.h"

namespace velmorin::test {

std::string sampleVideoTs() {
    return std::string(VELMORIN_SAMPLE_DISC) + "/VIDEO_TS";
}

std::vector<std::string> sampleVobFiles() {
    return {sampleVideoTs() + "/VTS_01_1.VOB", sampleVideoTs() + "/VTS_01_2.VOB"};
}

OracleReading readOracle() {
    const CommandResult r =
        runCommand(shellQuoted(VELMORIN_ORACLE) + " " + shellQuoted(VELMORIN_SAMPLE_DISC) + " 1");
    if (r.status != 0) throw std::runtime_error("vobu_oracle failed: " + r.err);
    OracleReading reading;
    std::istringstream in(r.out);
    std::string kind;
    std::uint32_t sector = 0;
    while (in >> kind >> sector) {
        if (kind == "vobu") reading.vobus.push_back(sector);
        if (kind == "cell") reading.cells.push_back(sector);
        if (kind == "chapter") reading.chapters.push_back(sector);
        if (kind == "pgc") reading.programChains.push_back({sector, {}});
        if (kind == "entry" && !reading.programChains.empty())
            reading.programChains.back().entryCells.push_back(sector);
    }
    return reading;
}

}  // namespace velmorin::test
