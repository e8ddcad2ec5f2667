// A VOB file built pack by pack in a test, listed as the scan would list it and mapped.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pack_builder.h"
#include "timing/presentation_map.h"

namespace velmorin::test {

struct PresentationMapTest : ::testing::Test {
    TempDir dir;
    VobBuilder vob;
    std::vector<int> vobuStarts;
    SectorBuffer buffer;
    std::unique_ptr<GopTable> table;
    InputFileSet files;
    PresentationMap map;

    void vobu(NavFields nav) {
        vobuStarts.push_back(static_cast<int>(vob.sectors().size()));
        vob.pack(makeNavPack(nav));
    }
    void audio(std::uint8_t stream, std::initializer_list<std::int64_t> times) {
        for (const auto t : times) vob.pack(makeAudioPack(stream, t));
    }
    MapOutcome build(const std::vector<TitleCell>* cells = nullptr,
                     AudioCapture* capture = nullptr) {
        files.fileCount = 1;
        files.filePath[0] = dir.file("VTS_01_1.VOB");
        files.fileSize[0] = static_cast<double>(vob.sectors().size() * 2048);
        vob.writeTo(files.filePath[0]);
        table = std::make_unique<GopTable>();
        for (const int s : vobuStarts) table->append(0, static_cast<std::uint32_t>(s), 0);
        table->close(files);
        return buildPresentationMap({*table, files, cells, capture}, buffer, map);
    }
    TitleSpan quarter(int gop, int q) const {
        return map.gops[static_cast<std::size_t>(gop)].audio[static_cast<std::size_t>(q)];
    }
};

}  // namespace velmorin::test
