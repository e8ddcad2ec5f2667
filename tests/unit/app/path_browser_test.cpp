#include "app/path_browser.h"

#include <gtest/gtest.h>

#include "app/source_selection.h"
#include "fake_platform.h"
#include "platform/path_field.h"
#include "platform/volumes.h"
#include "scripted_ui.h"

namespace velmorin {
namespace {

struct Browser : ::testing::Test {
    test::FakePlatform fs;
    PathBrowser browser{fs, PathBrowser::Kind::Source, test::native("/opt/velmorin")};
};

TEST_F(Browser, VobFilesInTitleSetAndPartOrder) {
    fs.add("/dvd/VTS_02_1.VOB");
    fs.add("/dvd/VTS_01_10.VOB");
    for (int m = 9; m >= 1; --m) fs.add("/dvd/VTS_01_" + std::to_string(m) + ".VOB");
    fs.add("/dvd/VTS_01_1A.VOB");  // thirteen characters: listed as a two-digit part
    fs.add("/dvd/VTS_1_1.VOB");
    fs.add("/dvd/VTS_01_0.IFO");
    fs.add("/dvd/sub/");
    fs.add("/dvd/Tools/");
    fs.add("/dvd/audio/");
    browser.refresh(test::native("/dvd"));
    EXPECT_EQ(browser.folder(), test::native("/dvd/"));
    EXPECT_EQ(browser.files(),
              (std::vector<std::string>{"VTS_01_1.VOB", "VTS_01_2.VOB", "VTS_01_3.VOB",
                                        "VTS_01_4.VOB", "VTS_01_5.VOB", "VTS_01_6.VOB",
                                        "VTS_01_7.VOB", "VTS_01_8.VOB", "VTS_01_9.VOB",
                                        "VTS_01_10.VOB", "VTS_01_1A.VOB", "VTS_02_1.VOB"}));
    EXPECT_EQ(browser.selectedFiles(), std::vector<int>{0});
    EXPECT_EQ(browser.folders(), (std::vector<std::string>{"..", "audio", "sub", "Tools"}));

    SourceOptions options;
    setReadByVtsi(options, browser, true);
    EXPECT_TRUE(options.readByVtsi);
    EXPECT_EQ(browser.files(), std::vector<std::string>{"VTS_01_0.IFO"});
}

TEST_F(Browser, AtMost128FilesOneDigitPartsFound) {
    for (int t = 10; t < 25; ++t)
        for (int m = 1; m <= 9; ++m)
            fs.add("/x/VTS_" + std::to_string(t) + "_" + std::to_string(m) + ".VOB");
    browser.refresh(test::native("/x/"));
    ASSERT_EQ(browser.files().size(), 128u);  // of 135
    EXPECT_EQ(browser.files().back(), "VTS_24_2.VOB");
}

TEST_F(Browser, FolderNavigation) {
    fs.add("/a/b/c/");
    browser.refresh(test::native("/a/b"));
    browser.chooseFolder(1);  // "c"
    EXPECT_EQ(browser.folder(), test::native("/a/b/c/"));
    browser.chooseFolder(0);  // ".."
    browser.chooseFolder(0);
    EXPECT_EQ(browser.folder(), test::native("/a/"));
    browser.chooseFolder(0);
    browser.chooseFolder(0);
    EXPECT_EQ(browser.folder(), test::native("/"));  // ".." at the root stays
    browser.refresh("");
    EXPECT_EQ(browser.folder(), test::native("/"));  // the program's volume
}

TEST_F(Browser, VolumesAndTheirRoots) {
    fs.add("/media/dvd/VIDEO_TS/VTS_01_1.VOB");
    fs.volumeList = {{test::native("/"), test::native("/")},
                     {test::native("/media/dvd"), test::native("/media/dvd/")},
                     {test::native("/mnt/empty"), test::native("/mnt/empty/")}};
    fs.unreadable.insert(test::native("/mnt/empty/"));
    browser.refresh(test::native("/media/dvd/VIDEO_TS"));
    EXPECT_EQ(browser.selectedVolume(), 1);
    browser.goToVolumeRoot();
    EXPECT_EQ(browser.folder(), test::native("/media/dvd/"));
    browser.chooseVolume(2);  // a drive without a medium
    EXPECT_EQ(browser.folder(), test::native("/mnt/empty/"));
    EXPECT_TRUE(browser.folders().empty());
    EXPECT_EQ(browser.files(), std::vector<std::string>{});
    browser.chooseVolume(0);
    EXPECT_EQ(browser.folder(), test::native("/"));
}

TEST_F(Browser, AVolumeOpensTheFolderItIsIn) {
    fs.add("/media/dvd/VIDEO_TS/VTS_01_1.VOB");
    fs.volumeList = {{test::native("/"), test::native("/")},
                     {test::native("/media/dvd"), test::native("/media/dvd/")}};
    fs.volumeFolders[test::native("/media/dvd/")] = test::native("/media/dvd/VIDEO_TS");
    browser.refresh(test::native("/"));
    browser.chooseVolume(1);
    EXPECT_EQ(browser.folder(), test::native("/media/dvd/VIDEO_TS/"));
    EXPECT_EQ(browser.files(), std::vector<std::string>{"VTS_01_1.VOB"});
    // A folder off the volume: its root.
    EXPECT_EQ(volumeOpeningFolder(test::native("/media/dvd/"), test::native("/x")),
              test::native("/media/dvd/"));
    EXPECT_TRUE(isOnVolume("c:\\work\\", "C:\\"));
    EXPECT_FALSE(isOnVolume("/media/DVD/", "/media/dvd/"));
}

#if defined(_WIN32)
TEST_F(Browser, AProgramStartedAsLowerCaseCStartsOnDriveC) {
    fs.volumeList = {{"A :", "A:\\"}, {"C :", "C:\\"}};
    PathBrowser lower{fs, PathBrowser::Kind::Source, "c:\\work\\"};
    lower.refresh("");
    EXPECT_EQ(lower.selectedVolume(), 1);
}
#endif

TEST_F(Browser, SelectButton) {
    fs.add("/d/VTS_01_1.VOB");
    fs.add("/d/VTS_01_2.VOB");
    browser.refresh(test::native("/d"));
    ShellState shell;
    test::ScriptedUi ui(shell);
    SourceOptions options;
    ChapterInfo chapters;
    chapters.firstCellSector = 9;
    InputFileSet files;

    browser.setSelectedFiles({});
    EXPECT_FALSE(selectSource(browser, options, chapters, files, ui, fs));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{{"error", "ファイルが選択されていません."}}));
    EXPECT_EQ(chapters.firstCellSector, 0u);

    browser.setSelectedFiles({0, 1});
    ASSERT_TRUE(selectSource(browser, options, chapters, files, ui, fs));
    EXPECT_EQ(files.fileCount, 2);
    EXPECT_EQ(files.filePath[1], test::native("/d/VTS_01_2.VOB"));

    // A folder the settings file cannot hold: refused, and nothing changes.
    const std::string unstorable = test::native("/d/\xF0\x9F\x8E\xAC/");  // not in Shift-JIS
    fs.add(unstorable + "VTS_02_1.VOB");
    browser.refresh(unstorable);
    chapters.firstCellSector = 9;
    EXPECT_FALSE(selectSource(browser, options, chapters, files, ui, fs));
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", pathNotStorableMessage(unstorable)}));
    EXPECT_EQ(files.filePath[0], test::native("/d/VTS_01_1.VOB"));
    EXPECT_EQ(chapters.firstCellSector, 9u);
}

TEST(ViewerBrowser, OnePatternSortedAndTheSelectedPath) {
    test::FakePlatform fs;
    fs.add("/usr/bin/mpv.sh");
    fs.add("/usr/bin/VLC.SH");
    fs.add("/usr/bin/readme.txt");
    PathBrowser viewer(fs, PathBrowser::Kind::Viewer, test::native("/"), "*.SH");
    viewer.refresh(test::native("/usr/bin"));
    EXPECT_EQ(viewer.files(), (std::vector<std::string>{"mpv.sh", "VLC.SH"}));
    EXPECT_EQ(viewer.selectedPath(), test::native("/usr/bin/mpv.sh"));
    viewer.setSelectedFiles({});
    EXPECT_EQ(viewer.selectedPath(), test::native("/usr/bin/"));
}

TEST(ViewerBrowser, ProgramsAreTheExecutableFilesWhereThereIsNoExe) {
    test::FakePlatform fs;
    fs.addExecutable("/usr/bin/mpv");
    fs.add("/usr/bin/mpv.conf");
    fs.add("/usr/bin/PLAYER.EXE");
    PathBrowser viewer(fs, PathBrowser::Kind::Viewer, test::native("/"),
                       PathBrowser::kProgramsPattern);
    viewer.refresh(test::native("/usr/bin"));
#if defined(_WIN32)
    EXPECT_EQ(viewer.files(), std::vector<std::string>{"PLAYER.EXE"});
#else
    EXPECT_EQ(viewer.files(), std::vector<std::string>{"mpv"});
#endif
}

TEST(Volumes, RootRemovableAndNetworkMountsOnly) {
#if defined(_WIN32)
    GTEST_SKIP() << "the mount table is Linux's: Windows offers its drive letters";
#endif
    const std::string mounts =
        "/dev/vda / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sr0 /media/user/MY\\040DISC udf ro 0 0\n"
        "server:/films /srv/films nfs4 rw 0 0\n"
        "/dev/sdb1 /mnt/usb vfat rw 0 0\n"
        "/dev/vda1 /boot/efi vfat rw 0 0\n";
    std::vector<std::string> roots;
    for (const auto& v : browsableVolumes(mounts)) roots.push_back(v.root);
    EXPECT_EQ(roots,
              (std::vector<std::string>{"/", "/media/user/MY DISC/", "/mnt/usb/", "/srv/films/"}));
}

TEST(PathBrowserExtent, GrowsWithTheWidestName) {
    EXPECT_EQ(PathBrowser::horizontalExtent(220, {12, 96}, 8), 220);
    EXPECT_EQ(PathBrowser::horizontalExtent(220, {40, 300, 96}, 8), 308);
}

}  // namespace
}  // namespace velmorin
