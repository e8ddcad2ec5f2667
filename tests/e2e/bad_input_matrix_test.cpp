// Every input velmorin-cli reads, spoilt every way a script or a disc can spoil it: the
// tool ends with its message and status 1 (or the documented outcome), never with a
// crash or a hang, and a failed run leaves every input file as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/settings_file.h"
#include "pack_builder.h"
#include "read_only_file.h"
#include "sample_disc.h"
#include "support/bounded_run.h"
#include "support/logo_bytes.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

// One way to spoil an input file, given its path and its good bytes.
struct Spoiling {
    std::string label;
    std::function<void(const std::string& path, const std::string& good)> apply;
    bool unreadable = false;  // the run drops root's permission override
};

Spoiling missing() {
    return {"missing", [](const std::string& path, const std::string&) { fs::remove_all(path); }};
}
Spoiling empty() {
    return {"empty",
            [](const std::string& path, const std::string&) { test::writeBytes(path, ""); }};
}
Spoiling truncatedAt(std::size_t size) {
    return {"truncated at " + std::to_string(size),
            [size](const std::string& path, const std::string& good) {
                test::writeBytes(path, good.substr(0, size));
            }};
}
Spoiling flippedAt(std::size_t offset) {
    return {"byte " + std::to_string(offset) + " flipped",
            [offset](const std::string& path, std::string bytes) {
                bytes.at(offset) = static_cast<char>(bytes.at(offset) ^ 0xFF);
                test::writeBytes(path, bytes);
            }};
}
Spoiling replacedAt(std::size_t offset, std::string with, std::string label) {
    return {std::move(label), [offset, with](const std::string& path, std::string bytes) {
                bytes.replace(offset, with.size(), with);
                test::writeBytes(path, bytes);
            }};
}
Spoiling directory() {
    return {"a directory", [](const std::string& path, const std::string&) {
                fs::remove_all(path);
                fs::create_directory(path);
            }};
}
Spoiling unreadable() {
    return {"unreadable",
            [](const std::string& path, const std::string& good) {
                test::writeBytes(path, good);
                fs::permissions(path, fs::perms::none);
            },
            true};
}

// What a run may end with: one of `statuses`, and when `message` is set, exactly that on
// standard error.
struct Outcome {
    std::vector<int> statuses;
    std::optional<std::string> message;
};
Outcome fails(std::string message) {
    return {{1}, std::move(message)};
}
Outcome failsQuietly() {
    return {{1}, std::nullopt};
}
Outcome succeeds() {
    return {{0}, std::nullopt};
}
Outcome eitherWay() {
    return {{0, 1}, std::nullopt};
}

struct MatrixCase {
    Spoiling spoiling;
    Outcome outcome;
};

// One input file in a folder of its own, put back to its good bytes after every case.
class MatrixInput {
public:
    MatrixInput(const test::TempDir& dir, std::string name, std::string good)
        : path_(dir.file(std::move(name))), good_(std::move(good)) {
        restore();
    }
    const std::string& path() const { return path_; }
    const std::string& good() const { return good_; }
    void spoil(const Spoiling& s) const { s.apply(path_, good_); }
    void restore() const {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write, ignored);
        fs::remove_all(path_);
        test::writeBytes(path_, good_);
    }

private:
    std::string path_;
    std::string good_;
};

// A run of the tool that must end as `outcome` says, and without a crash, a hang or a
// sanitizer's report. Returns how it ended.
test::BoundedRun expectRun(const std::vector<std::string>& args, const Outcome& outcome,
                           const std::string& label, bool dropOverride = false) {
    test::BoundedRunOptions options;
    options.withoutPermissionOverride = dropOverride;
    const auto r = test::runBounded(VELMORIN_CLI, args, options);
    std::string command = "velmorin-cli";
    for (const auto& a : args) command += " " + a;
    SCOPED_TRACE(label + ": " + command);
    EXPECT_FALSE(r.timedOut) << "hung";
    EXPECT_EQ(r.signal, 0) << r.err;
    EXPECT_NE(std::find(outcome.statuses.begin(), outcome.statuses.end(), r.status),
              outcome.statuses.end())
        << r.ending() << "\n"
        << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    if (outcome.message) {
        EXPECT_EQ(r.err, *outcome.message) << r.ending();
    }
    return r;
}

// Every matrix: a folder for its inputs, one for what the tool writes, and the cases this
// machine cannot run.
class BadInput : public ::testing::Test {
protected:
    // False, and counted, for a case that needs an unreadable file where root's permission
    // override cannot be dropped.
    bool runsHere(const Spoiling& s) {
        if (!s.unreadable || test::permissionBitsHoldWithoutOverride()) return true;
        ++leftOut_;
        return false;
    }

    // Runs every case on `input` through each of `operations` (argument lists); every
    // operation here only reads, so the whole folder must be unchanged after each run.
    void runReadOnlyMatrix(const MatrixInput& input, const std::vector<MatrixCase>& cases,
                           const std::vector<std::vector<std::string>>& operations) {
        for (const auto& c : cases) {
            if (!runsHere(c.spoiling)) continue;
            input.spoil(c.spoiling);
            const test::FolderWatch inputs(dir.path());
            for (const auto& op : operations) {
                expectRun(op, c.outcome, c.spoiling.label, c.spoiling.unreadable);
                EXPECT_EQ(inputs.changes(), "") << c.spoiling.label;
            }
            input.restore();
        }
    }

    // The last statement of a matrix test: the cases left out make it a skip.
    void skipIfCasesWereLeftOut() const {
        if (leftOut_)
            GTEST_SKIP()
                << leftOut_
                << " unreadable case(s): root's permission override cannot be dropped here";
    }

    test::TempDir dir;
    test::TempDir outDir;

private:
    int leftOut_ = 0;
};

std::string copyOfSampleFile(const std::string& name) {
    return test::readFile(test::sampleVideoTs() + "/" + name);
}

constexpr std::size_t kSector = 2048;

// A short title of the sample disc's first four megabytes of VOBUs in two files, cut three sectors
// into a VOBU so that one VOBU crosses from the first file into the second: the matrix runs the
// tool many times, and four megabytes scan and check quickly.
void writeShortVobSet(const test::TempDir& dir) {
    static const std::pair<std::string, std::string> files = [] {
        const auto vobus = test::readOracle().vobus;
        const auto at = [&](std::uint32_t least) {
            return *std::find_if(vobus.begin(), vobus.end(),
                                 [&](std::uint32_t v) { return v >= least; });
        };
        const std::string whole = copyOfSampleFile("VTS_01_1.VOB");
        const std::size_t cut = (at(1000) + 3) * kSector, end = at(2000) * kSector;
        return std::make_pair(whole.substr(0, cut), whole.substr(cut, end - cut));
    }();
    test::writeBytes(dir.file("VTS_01_1.VOB"), files.first);
    test::writeBytes(dir.file("VTS_01_2.VOB"), files.second);
}

// ---- The VOB set -------------------------------------------------------------------

class BadVobSet : public BadInput {
protected:
    void SetUp() override {
        writeShortVobSet(dir);
        for (const char* name : {"VTS_01_1.VOB", "VTS_01_2.VOB"})
            vobs.push_back(
                std::make_unique<MatrixInput>(dir, name, test::readFile(dir.file(name))));
    }
    std::vector<std::string> withVobs(std::vector<std::string> args) const {
        for (const auto& v : vobs) args.push_back(v->path());
        return args;
    }

    std::vector<std::unique_ptr<MatrixInput>> vobs;
};

TEST_F(BadVobSet, ScanEndsWithItsMessageAndChangesNothing) {
    const std::string first = vobs[0]->path();
    const std::size_t size = vobs[0]->good().size();
    const std::string cannotOpen = "[エラー] " + first + " が開けません.\n";
    const std::string noPackHeader =
        "[エラー] " + first + " の内容が異常です（PACKヘッダ検出不能）.\n";
    const std::vector<MatrixCase> cases = {
        {missing(), fails(cannotOpen)},
        {directory(), fails(cannotOpen)},
        {unreadable(), fails(cannotOpen)},
        {empty(), eitherWay()},
        {truncatedAt(1), eitherWay()},
        {truncatedAt(kSector - 1), eitherWay()},
        {truncatedAt(kSector), eitherWay()},
        {truncatedAt(kSector + 700), eitherWay()},
        {truncatedAt(size / 2 + 1), eitherWay()},
        {truncatedAt(size - 1), eitherWay()},
        {replacedAt(0, std::string(4, '\0'), "no pack start code"), fails(noPackHeader)},
        {replacedAt(0, "RIFF", "wrong magic"), fails(noPackHeader)},
        // The first navigation pack: pack header, system header, PCI and DSI packets.
        {flippedAt(0), eitherWay()},
        {flippedAt(3), eitherWay()},
        {flippedAt(4), eitherWay()},
        {flippedAt(13), eitherWay()},
        {flippedAt(17), eitherWay()},
        {flippedAt(0x26 + 3), eitherWay()},
        {flippedAt(0x2D), eitherWay()},
        {flippedAt(0x400 + 3), eitherWay()},
        {flippedAt(0x40B), eitherWay()},
        {flippedAt(0x40B + 0x0C), eitherWay()},
        {flippedAt(0x40B + 0x0F), eitherWay()},
        {flippedAt(0x40B + 0x16), eitherWay()},
        {flippedAt(0x7F0), eitherWay()},
        // The next pack's header and stream id, the middle, the video data, the end.
        {flippedAt(kSector + 3), eitherWay()},
        {flippedAt(kSector + 17), eitherWay()},
        {flippedAt(size / 2), eitherWay()},
        {flippedAt(size / 2 + 1000), eitherWay()},
        {flippedAt(size - kSector), eitherWay()},
        {flippedAt(size - 1), eitherWay()},
    };
    runReadOnlyMatrix(*vobs[0], cases, {withVobs({"scan"})});
    // The full reader asks about a damaged pack header first: stopping there fails with
    // the abandon message, going on may end well.
    const auto withAnswer = [&](const Outcome& instead) {
        std::vector<MatrixCase> changed = cases;
        for (auto& c : changed)
            if (c.outcome.message == noPackHeader) c.outcome = instead;
        return changed;
    };
    runReadOnlyMatrix(*vobs[0], withAnswer(failsQuietly()),
                      {withVobs({"scan", "--full", "--answer", "no"})});
    runReadOnlyMatrix(*vobs[0], withAnswer(eitherWay()),
                      {withVobs({"scan", "--json", "--full", "--answer", "yes"})});
    skipIfCasesWereLeftOut();
}

TEST_F(BadVobSet, MuteFailsWithoutWritingOrWritesOnlyWhatItReports) {
    const std::string first = vobs[0]->path();
    const std::size_t size = vobs[0]->good().size();
    const std::string cannotOpen = "[エラー] " + first + " が開けません.\n";
    const std::vector<MatrixCase> cases = {
        {missing(), fails(cannotOpen)},
        {directory(), fails(cannotOpen)},
        {unreadable(), fails(cannotOpen)},
        {empty(), eitherWay()},
        {truncatedAt(kSector + 700), eitherWay()},
        {truncatedAt(size / 2 + 1), eitherWay()},
        {replacedAt(0, "RIFF", "wrong magic"), failsQuietly()},
        {flippedAt(4), eitherWay()},
        {flippedAt(0x2D), eitherWay()},
        {flippedAt(0x40B + 0x0C), eitherWay()},
        {flippedAt(kSector + 17), eitherWay()},
        {flippedAt(size / 2), eitherWay()},
        {flippedAt(size - 1), eitherWay()},
    };
    for (const auto& c : cases) {
        if (!runsHere(c.spoiling)) continue;
        for (const char* answer : {"yes", "no"}) {
            vobs[0]->spoil(c.spoiling);
            const test::FolderWatch files(dir.path());
            const auto r =
                expectRun(withVobs({"mute", "--pattern", "----", "--gop", "1", "--answer", answer}),
                          c.outcome, c.spoiling.label, c.spoiling.unreadable);
            const std::string difference = files.changes();
            if (r.status == 0) {
                EXPECT_NE(r.out, "") << c.spoiling.label;
            } else {
                // Nothing is written before the first failure of a one-file change.
                EXPECT_EQ(difference, "") << c.spoiling.label;
            }
            vobs[0]->restore();
        }
    }
    skipIfCasesWereLeftOut();
}

TEST_F(BadVobSet, MuteOnAReadOnlyVobFailsAndChangesNothing) {
    const auto scan = test::runBounded(VELMORIN_CLI, withVobs({"scan"}));
    ASSERT_EQ(scan.status, 0) << scan.err;
    const auto gops = static_cast<int>(std::count(scan.out.begin(), scan.out.end(), '\n')) - 1;
    ASSERT_GT(gops, 4);
    // Every GOP with each file read-only in turn: a GOP in the other file is muted, a GOP
    // with packs in the read-only file (also the one crossing into it) fails and leaves
    // both files as they were.
    int failed = 0;
    for (std::size_t k = 0; k < vobs.size(); ++k) {
        for (int gop = 1; gop <= gops; ++gop) {
            const test::FolderWatch files(dir.path());
            test::BoundedRun r;
            {
                test::ReadOnlyFile readOnly(vobs[k]->path());
                r = expectRun(withVobs({"mute", "--pattern", "----", "--gop", std::to_string(gop)}),
                              eitherWay(),
                              "GOP " + std::to_string(gop) + ", VTS_01_" + std::to_string(k + 1) +
                                  " read-only");
            }
            if (r.status == 1) {
                ++failed;
                // The number in brackets tells which step of the rewrite could not write.
                EXPECT_EQ(r.err.rfind("[エラー] " + vobs[k]->path() + "が更新できません（", 0), 0u)
                    << r.err;
                EXPECT_EQ(files.changes(), "") << "GOP " << gop;
            }
            for (const auto& v : vobs) v->restore();
        }
    }
    EXPECT_GE(failed, gops);
}

// ---- The VTSI file (VTS_nn_0.IFO) ---------------------------------------------------

using BadVtsi = BadInput;

TEST_F(BadVtsi, ScanEndsWithItsMessageAndChangesNothing) {
    writeShortVobSet(dir);
    const MatrixInput ifo(dir, "VTS_01_0.IFO", copyOfSampleFile("VTS_01_0.IFO"));
    const std::size_t size = ifo.good().size();
    const std::string cannotOpen = "[エラー] VTSIファイルが開けません.\n";
    const std::string badFormat = "[エラー] VTSIファイルの形式が異常です.\n";
    const std::vector<MatrixCase> cases = {
        {missing(), fails(cannotOpen)},
        {directory(), fails(cannotOpen)},
        {unreadable(), fails(cannotOpen)},
        {empty(), fails(badFormat)},
        {truncatedAt(1), fails(badFormat)},
        {truncatedAt(11), fails(badFormat)},
        {truncatedAt(12), fails(badFormat)},
        {truncatedAt(0xCC), fails(badFormat)},
        {truncatedAt(kSector), fails(badFormat)},
        {truncatedAt(kSector + 16), fails(badFormat)},
        {truncatedAt(kSector + 0x100), fails(badFormat)},
        {truncatedAt(size / 2), eitherWay()},
        {truncatedAt(size - 1), eitherWay()},
        {replacedAt(0, "DVDVIDEO-VMG", "wrong magic"), fails(badFormat)},
        {replacedAt(0, std::string(12, '\0'), "no magic"), fails(badFormat)},
        // Header fields and table pointers (VTS_PGCIT at 0xCC), the program chain table,
        // its first program chain's pointers and cell tables, the middle, the end.
        {flippedAt(0), fails(badFormat)},
        {flippedAt(11), fails(badFormat)},
        {flippedAt(0x0C), eitherWay()},
        {flippedAt(0x1C), eitherWay()},
        {flippedAt(0xC4), eitherWay()},
        {flippedAt(0xCC), eitherWay()},
        {flippedAt(0xCF), eitherWay()},
        {flippedAt(0xD0), eitherWay()},
        {flippedAt(0xE4), eitherWay()},
        {flippedAt(kSector), eitherWay()},
        {flippedAt(kSector + 1), eitherWay()},
        {flippedAt(kSector + 8 + 6), eitherWay()},
        {flippedAt(kSector + 8 + 7), eitherWay()},
        {flippedAt(kSector + 0x10 + 8 + 6), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xE6), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xE8), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xE9), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xEA), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xEC + 2), eitherWay()},
        {flippedAt(kSector + 0x10 + 0xF0), eitherWay()},
        {flippedAt(kSector + 0x120), eitherWay()},
        {flippedAt(size / 2), eitherWay()},
        {flippedAt(size - 1), eitherWay()},
    };
    const std::vector<std::vector<std::string>> operations = {
        {"scan", "--vtsi", ifo.path()},
        {"scan", "--vtsi", ifo.path(), "--chapters", "cells", "-E", "--json"},
    };
    runReadOnlyMatrix(ifo, cases, operations);

    // The title set's VOB files gone, or a folder in place of the first.
    fs::rename(dir.file("VTS_01_1.VOB"), dir.file("moved"));
    {
        const test::FolderWatch files(dir.path());
        for (const auto& op : operations)
            expectRun(op, fails("[エラー] VTSIファイルに対応するVOBファイルが見つかりません.\n"),
                      "no VOB files");
        EXPECT_EQ(files.changes(), "");
    }
    fs::create_directory(dir.file("VTS_01_1.VOB"));
    for (const auto& op : operations)
        expectRun(op, fails("[エラー] VTSIファイルに対応するVOBファイルが見つかりません.\n"),
                  "folder VOB");
    skipIfCasesWereLeftOut();
}

// ---- VIDEO_TS.IFO (titles FOLDER) -----------------------------------------------------

using BadVideoTsIfo = BadInput;

TEST_F(BadVideoTsIfo, TitlesEndsWithItsMessageAndChangesNothing) {
    const MatrixInput ifo(dir, "VIDEO_TS.IFO", copyOfSampleFile("VIDEO_TS.IFO"));
    const std::size_t size = ifo.good().size();
    const std::string notFound = "[エラー] VIDEO_TS.VOBが見つかりません.\n";
    const std::string noTitles = "[エラー] タイトル情報が見つかりません.\n";
    const std::vector<MatrixCase> cases = {
        {missing(), fails(notFound)},
        {directory(), fails(notFound)},
        {unreadable(), fails(notFound)},
        {empty(), fails(noTitles)},
        {truncatedAt(1), fails(noTitles)},
        {truncatedAt(12), fails(noTitles)},
        {truncatedAt(kSector), fails(noTitles)},
        {truncatedAt(kSector + 9), fails(noTitles)},
        {truncatedAt(4095), fails(noTitles)},
        {truncatedAt(4096), succeeds()},
        {truncatedAt(size - 1), succeeds()},
        // The title list does not look at the identifier: the program lists what it finds.
        {replacedAt(0, "DVDVIDEO-VTS", "wrong magic"), succeeds()},
        {flippedAt(0), succeeds()},
        {flippedAt(0xC4), succeeds()},
        {flippedAt(0x3E), succeeds()},
        {flippedAt(kSector), succeeds()},      // the title count, high byte: 0xFF00 + n titles
        {flippedAt(kSector + 1), succeeds()},  // low byte
        {flippedAt(kSector + 4), succeeds()},
        {flippedAt(kSector + 8 + 1), succeeds()},
        {flippedAt(kSector + 8 + 2), succeeds()},
        {flippedAt(kSector + 8 + 6), succeeds()},
        {flippedAt(size / 2), succeeds()},
        {flippedAt(size - 1), succeeds()},
    };
    runReadOnlyMatrix(ifo, cases, {{"titles", dir.path()}});
    skipIfCasesWereLeftOut();
}

// ---- Project files -------------------------------------------------------------------

class BadProject : public BadInput {
protected:
    static void SetUpTestSuite() {
        test::TempDir scratch;
        std::vector<std::string> args{"project"};
        for (const auto& f : test::sampleVobFiles()) args.push_back(f);
        args.insert(args.end(), {"--save", scratch.file("good.prj")});
        const auto r = test::runBounded(VELMORIN_CLI, args);
        ASSERT_EQ(r.status, 0) << r.err;
        good = new std::string(test::readFile(scratch.file("good.prj")));
    }
    static void TearDownTestSuite() {
        delete good;
        good = nullptr;
    }
    void SetUp() override { ASSERT_NE(good, nullptr); }

    static std::string* good;
};
std::string* BadProject::good = nullptr;

// The state record follows the 15-byte header; the GOP list's lines follow the record.
constexpr std::size_t kRecordStart = 15;
constexpr std::size_t kPlayTimeIndexInRecord = 0x20C;
constexpr std::size_t kChapterCountInRecord = 0x230;
constexpr std::size_t kFileCountInRecord = 0x15C0;
constexpr std::size_t kGopCountInRecord = 0x15C4;
constexpr std::size_t kStartSectorsInRecord = 0x15C8;
constexpr std::size_t kFileIndexesInRecord = 0x815C8;
constexpr std::size_t kFilePathsInRecord = 0xC15C8;
constexpr std::size_t kFileSizesInRecord = 0xC97C8;

TEST_F(BadProject, LoadEndsWithItsMessageAndChangesNothing) {
    const MatrixInput project(dir, "good.prj", *good);
    const std::size_t size = good->size();
    const std::string cannotOpen = "[エラー] プロジェクトファイルが開けません.\n";
    const std::string readError = "[エラー] プロジェクトの読み込みでエラーが発生しました.\n";
    const std::string badFormat = "[エラー] プロジェクトの形式が異常です.\n";
    const std::string otherVersion =
        "[エラー] プロジェクトの形式が異常です.\n異なるバージョンのプロジェクトは使用できません.\n";
    const std::size_t linesStart = good->find(" >*00001 (");
    ASSERT_NE(linesStart, std::string::npos);
    const std::vector<MatrixCase> cases = {
        {missing(), fails(cannotOpen)},
        {directory(), fails(cannotOpen)},
        {unreadable(), fails(cannotOpen)},
        {empty(), fails(readError)},
        {truncatedAt(1), fails(readError)},
        {truncatedAt(14), fails(readError)},
        {truncatedAt(15), fails(readError)},
        {truncatedAt(16), fails(readError)},
        {truncatedAt(kRecordStart + 0x1000), fails(readError)},
        {truncatedAt(linesStart - 1), fails(readError)},
        // Cut among the GOP list's lines: the state is whole, the missing lines are empty.
        {truncatedAt(linesStart), succeeds()},
        {truncatedAt(size - 1), succeeds()},
        {replacedAt(0, "NOTAPROJECT", "wrong magic"), fails(badFormat)},
        {replacedAt(8, "9999", "another version"), fails(otherVersion)},
        {flippedAt(0), fails(badFormat)},
        {flippedAt(14), fails(badFormat)},
        {flippedAt(kRecordStart), eitherWay()},
        {flippedAt(kRecordStart + kGopCountInRecord), eitherWay()},
        {flippedAt(kRecordStart + kGopCountInRecord + 3), eitherWay()},
        {flippedAt(kRecordStart + 0x10), eitherWay()},
        {flippedAt(kRecordStart + kPlayTimeIndexInRecord), eitherWay()},
        {flippedAt(kRecordStart + kChapterCountInRecord), eitherWay()},
        {flippedAt(kRecordStart + kChapterCountInRecord + 3), eitherWay()},
        {flippedAt(kRecordStart + kFileCountInRecord), eitherWay()},
        {flippedAt(kRecordStart + kFileCountInRecord + 3), eitherWay()},
        {flippedAt(kRecordStart + kGopCountInRecord + 1), eitherWay()},
        {flippedAt(kRecordStart + kStartSectorsInRecord + 4), eitherWay()},
        {flippedAt(kRecordStart + kStartSectorsInRecord + 7), eitherWay()},
        {flippedAt(kRecordStart + kFileIndexesInRecord + 4), eitherWay()},
        {flippedAt(kRecordStart + kFilePathsInRecord), eitherWay()},
        {flippedAt(kRecordStart + kFileSizesInRecord + 3), eitherWay()},
        {flippedAt(kRecordStart + kFileSizesInRecord + 7), eitherWay()},
        {flippedAt(linesStart / 2), eitherWay()},
        {flippedAt(linesStart - 300), eitherWay()},
        {flippedAt(linesStart - 1), eitherWay()},
        {flippedAt(linesStart), succeeds()},
        {flippedAt(size - 1), succeeds()},
    };
    runReadOnlyMatrix(
        project, cases,
        {{"scan", "--project", project.path()},
         {"project", "--project", project.path(), "--save", outDir.file("again.prj")}});
    skipIfCasesWereLeftOut();
}

TEST_F(BadProject, SaveWhereNothingCanBeWrittenFailsAndChangesNothing) {
    const MatrixInput project(dir, "good.prj", *good);
    const std::string cannotCreate = "[エラー] プロジェクトファイルが作成できません.\n";
    {
        // Into a read-only folder.
        test::ReadOnlyFile readOnly(outDir.path());
        const test::FolderWatch out(outDir.path()), inputs(dir.path());
        expectRun({"project", "--project", project.path(), "--save", outDir.file("new.prj")},
                  fails(cannotCreate), "read-only folder");
        EXPECT_EQ(out.changes(), "");
        EXPECT_EQ(inputs.changes(), "");
    }
    {
        // Into a folder that does not exist, and onto a folder.
        fs::create_directory(outDir.file("folder.prj"));
        const test::FolderWatch out(outDir.path());
        expectRun({"project", "--project", project.path(), "--save", outDir.file("none/new.prj")},
                  fails(cannotCreate), "no folder");
        expectRun({"project", "--project", project.path(), "--save", outDir.file("folder.prj")},
                  fails("[エラー] プロジェクトの書き込みでエラーが発生しました.\n"),
                  "onto a folder");
        EXPECT_EQ(out.changes(), "");
    }
    if (geteuid() != 0)
        GTEST_SKIP() << "over a read-only file: only root can make a file immutable here";
    {
        // Over a read-only (immutable) project, also over the one being loaded.
        test::writeBytes(outDir.file("old.prj"), "an old project");
        test::ReadOnlyFile readOnlyOld(outDir.file("old.prj"));
        test::ReadOnlyFile readOnlyInput(project.path());
        const test::FolderWatch out(outDir.path()), inputs(dir.path());
        expectRun({"project", "--project", project.path(), "--save", outDir.file("old.prj")},
                  failsQuietly(), "over a read-only file");
        expectRun({"project", "--project", project.path(), "--save", project.path()},
                  failsQuietly(), "over the read-only input");
        EXPECT_EQ(out.changes(), "");
        EXPECT_EQ(inputs.changes(), "");
    }
}

// ---- The settings file -----------------------------------------------------------------

using BadSettingsFile = BadInput;

TEST_F(BadSettingsFile, PrintsWhatTheProgramWouldStartWithAndChangesNothing) {
    Settings settings;
    settings.lastSourceFolder = "/media/dvd/VIDEO_TS/";
    settings.playerPath = "/usr/bin/mpv";
    settings.playTimeIndex = 3;
    settings.mpgWorkingFiles = false;
    const SettingsImage image = encodeSettings(settings);
    const MatrixInput file(dir, "velmorin.DAT", std::string(image.begin(), image.end()));
    const auto note = [&](const std::string& what) {
        return fails("velmorin-cli: " + file.path() + ": " + what +
                     "; the program would start with the settings above\n");
    };
    const auto shortBy = [&](std::size_t size) {
        return note("not a complete settings file (" + std::to_string(size) + " of 555 bytes)");
    };
    std::vector<MatrixCase> cases = {
        {missing(), note("no such file")},
        {directory(), note("not a regular file")},
        {unreadable(), note("cannot be read")},
        {empty(), note("not a settings file (0 of 555 bytes, the magic cut short)")},
        {replacedAt(0, "VELMORIN0200HST", "another version's magic"),
         note("not a settings file (wrong magic)")},
        {replacedAt(0, std::string(15, '\0'), "no magic"),
         note("not a settings file (wrong magic)")},
        {{"longer than 555 bytes",
          [](const std::string& path, const std::string& good) {
              test::writeBytes(path, good + "trailing");
          }},
         succeeds()},
    };
    // Cut in the magic, between the fields, inside each field, one byte short.
    // A file cut inside its magic is no settings file: the program starts with defaults.
    for (std::size_t size : {1, 14})
        cases.push_back({truncatedAt(size), note("not a settings file (" + std::to_string(size) +
                                                 " of 555 bytes, the magic cut short)")});
    for (std::size_t size : {15, 23, 100, 282, 283, 300, 543, 545, 547, 551, 554})
        cases.push_back({truncatedAt(size), shortBy(size)});
    // A byte of the magic spoils the whole file; a field's byte only that field.
    for (std::size_t offset : {0, 7, 8, 11, 14})
        cases.push_back({flippedAt(offset), note("not a settings file (wrong magic)")});
    for (std::size_t offset :
         {15, 22, 23, 24, 100, 281, 282, 283, 400, 542, 543, 546, 547, 550, 551, 554})
        cases.push_back({flippedAt(offset), succeeds()});
    runReadOnlyMatrix(file, cases,
                      {{"settings", file.path()}, {"settings", "--json", file.path()}});
    skipIfCasesWereLeftOut();
}

// ---- The start-up picture (LOGO.BMP) ---------------------------------------------------

using BadLogoBitmap = BadInput;

TEST_F(BadLogoBitmap, WritesThePictureTheProgramWouldShowAndChangesNothing) {
    const MatrixInput file(dir, "LOGO.BMP", test::logoBitmapBytes());
    const std::size_t size = file.good().size();
    const std::string out = outDir.file("out.bmp");
    const Outcome blank =
        fails("velmorin-cli: " + file.path() +
              ": missing or not a usable bitmap; the start-up picture is blank\n");
    std::vector<MatrixCase> cases = {
        {missing(), blank},
        {directory(), blank},
        {unreadable(), blank},
        {empty(), blank},
        {replacedAt(0, "XM", "wrong magic"), blank},
        {replacedAt(30, "\x02", "compression 2"), blank},
        {replacedAt(22, std::string("\x00\x00\x00\x80", 4), "height -2^31"), succeeds()},
        {replacedAt(18, std::string("\xFF\xFF\xFF\x7F", 4), "width 2^31-1"), succeeds()},
        {replacedAt(46, std::string("\x00\x00\x00\x80", 4), "2^31 colours used"), succeeds()},
    };
    // Cut inside the header, inside the colour table, inside the rows.
    for (std::size_t cut : {1, 2, 14, 30, 53}) cases.push_back({truncatedAt(cut), blank});
    for (std::size_t cut : std::initializer_list<std::size_t>{
             54, 55, 54 + 512, 54 + 1023, 54 + 1024, 54 + 1024 + 32000, size - 1})
        cases.push_back({truncatedAt(cut), succeeds()});
    for (std::size_t offset : {0, 1, 30, 31, 32, 33}) cases.push_back({flippedAt(offset), blank});
    for (std::size_t offset :
         std::initializer_list<std::size_t>{2, 6, 10, 14, 18, 21, 22, 25, 26, 28, 34, 46, 49, 53,
                                            54, 54 + 1023, 54 + 1024, 54 + 1024 + 32000, size - 1})
        cases.push_back({flippedAt(offset), succeeds()});
    for (const auto& c : cases) {
        if (!runsHere(c.spoiling)) continue;
        file.spoil(c.spoiling);
        const test::FolderWatch inputs(dir.path());
        fs::remove(out);
        expectRun({"logo", file.path(), "-o", out}, c.outcome, c.spoiling.label,
                  c.spoiling.unreadable);
        EXPECT_EQ(inputs.changes(), "") << c.spoiling.label;
        // Blank or not, the picture is written.
        EXPECT_EQ(test::readFile(out).size(), 54u + 320 * 200 * 3) << c.spoiling.label;
        file.restore();
    }

    // Where the picture cannot be written.
    {
        test::ReadOnlyFile readOnly(outDir.path());
        const test::FolderWatch outFolder(outDir.path());
        expectRun({"logo", file.path(), "-o", outDir.file("new.bmp")},
                  fails("velmorin-cli: cannot write " + outDir.file("new.bmp") + "\n"),
                  "read-only folder");
        EXPECT_EQ(outFolder.changes(), "");
    }
    fs::create_directory(outDir.file("folder.bmp"));
    expectRun({"logo", file.path(), "-o", outDir.file("folder.bmp")},
              fails("velmorin-cli: cannot write " + outDir.file("folder.bmp") + "\n"),
              "onto a folder");
    skipIfCasesWereLeftOut();
}

}  // namespace
}  // namespace velmorin
