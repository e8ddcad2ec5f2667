// velmorin-cli preview on the sample disc: one BMP per GOP, the same image for --gop N as
// for --all, and GOP images that match ffmpeg's decoding of the GOP's I picture.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/text_format.h"
#include "pack_builder.h"
#include "preview_streams.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

std::string sampleFiles() {
    std::string files;
    for (const auto& f : test::sampleVobFiles()) files += shellQuoted(f) + " ";
    return files;
}

int sampleGopCount() {
    const auto scan = runCommand(shellQuoted(VELMORIN_CLI) + " scan " + sampleFiles());
    int lines = 0;
    for (char c : scan.out) lines += c == '\n';
    return lines - 1;  // the size label is the last line
}

preview::PreviewImage imageOfBmp(const std::string& bytes) {
    preview::PreviewImage image;
    std::memcpy(image.pixels.data(), bytes.data() + 54, image.pixels.size());
    return image;
}

TEST(CliPreview, WritesOneBmpPerGopThatMatchesFfmpeg) {
    test::TempDir dir;
    const std::string cli = shellQuoted(VELMORIN_CLI) + " preview " + sampleFiles();
    const int gops = sampleGopCount();
    ASSERT_GT(gops, 2);

    const auto all = runCommand(cli + "--all -o " + shellQuoted(dir.path()));
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, "");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, gops);

    const std::string first = test::readFile(dir.file("gop000001.bmp"));
    ASSERT_EQ(first.size(), 54u + 360 * 240 * 3);
    EXPECT_EQ(first.substr(0, 2), "BM");
    const auto le32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(first[at])) |
               std::uint32_t(std::uint8_t(first[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(first[at + 2])) << 16 |
               std::uint32_t(std::uint8_t(first[at + 3])) << 24;
    };
    EXPECT_EQ(le32(2), first.size());
    EXPECT_EQ(le32(10), 54u);
    EXPECT_EQ(le32(18), 360u);
    EXPECT_EQ(le32(22), 240u);  // bottom row first
    EXPECT_EQ(std::uint8_t(first[28]), 24);

    // An early, a middle and the last GOP, each checked against ffmpeg's
    // decoding of that GOP's I picture (the GOP copied out by extract).
    for (const int gop : {3, gops / 2, gops}) {
        SCOPED_TRACE(gop);
        const std::string name = formatText("gop%06d.bmp", gop);
        const std::string one = dir.file("one-" + name);
        const auto single =
            runCommand(cli + "--gop " + std::to_string(gop) + " -o " + shellQuoted(one));
        ASSERT_EQ(single.status, 0) << single.err;
        const std::string image = test::readFile(one);
        EXPECT_TRUE(image == test::readFile(dir.file(name)));

        const std::string vob = dir.file(formatText("gop%d.vob", gop));
        ASSERT_EQ(runCommand(shellQuoted(VELMORIN_CLI) + " extract " + sampleFiles() + "--gop " +
                             std::to_string(gop) + " --count 1 -o " + shellQuoted(vob))
                      .status,
                  0);
        const auto reference = test::ffmpegPicture(vob, 720, 480);
        ASSERT_TRUE(reference.has_value());
        const preview::PreviewImage expected =
            test::previewOf(*reference, false, preview::PreviewImage{});
        EXPECT_GE(test::psnr(imageOfBmp(image), expected), 40.0);
    }
}

TEST(CliPreview, ReportsAGopWithoutImageAndWrongUsage) {
    test::TempDir dir;
    const std::string cli = shellQuoted(VELMORIN_CLI) + " preview " + sampleFiles();
    // Each usage error says what is wrong, with status 2.
    const auto usage = [&](const std::string& options, const std::string& problem) {
        const auto run = runCommand(cli + options);
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_EQ(run.err.rfind("velmorin-cli: " + problem + "\n", 0), 0u) << run.err;
    };
    usage("--gop 1", "-o OUT.bmp is missing");
    usage("--gop 1 --all -o " + shellQuoted(dir.path()), "give one of --gop N and --all");
    usage("--gop 0 -o x.bmp", "--gop N takes a GOP number from 1");
    usage("--gop one -o x.bmp", "--gop takes a number");
    usage("--gop 100000 -o x.bmp", "--gop N takes a GOP number from 1 to 67");
    EXPECT_EQ(runCommand(cli + "--all -o " + shellQuoted(dir.file("missing"))).status, 1);

    // A 352 × 240 title: every GOP stops silently, so no image and exit status 1.
    const std::string small =
        test::makePreviewStream("cli_small_352x240", "352x240", "30000/1001", "-g 3");
    ASSERT_FALSE(small.empty());
    const auto r = runCommand(shellQuoted(VELMORIN_CLI) + " preview " + shellQuoted(small) +
                              " --gop 1 -o " + shellQuoted(dir.file("small.bmp")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmorin-cli: GOP 1: the decode wrote no image\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("small.bmp")));
}

}  // namespace
}  // namespace velmorin
