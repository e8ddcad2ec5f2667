#include "app/window_geometry.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/main_commands.h"
#include "scripted_ui.h"

namespace velmorin {
namespace {

TEST(WindowGeometry, DialogUnitsWithTheDialogFontsBaseUnits) {
    // An 8 × 16 pixel font: the main dialog's 370 × 250 units are 740 × 500 pixels.
    const Rect client = dialogUnitsToPixels(0, 0, 370, 250, 8, 16);
    EXPECT_EQ(client.width(), 740);
    EXPECT_EQ(client.height(), 500);
    const Rect list = dialogUnitsToPixels(10, 52, 130, 180, 8, 16);
    EXPECT_EQ(list.left, 20);
    EXPECT_EQ(list.top, 104);
    EXPECT_EQ(dialogUnitsToPixels(3, 5, 1, 1, 7, 15).left, 5);  // 5.25 rounds down
}

TEST(WindowGeometry, MainWindowCentredForA740By500Client) {
    const Point p = mainWindowPosition(1920, 1040, 4, 4, 23);
    EXPECT_EQ(p.x, (1920 - (8 + 740)) / 2);
    EXPECT_EQ(p.y, (1040 + 23 - (8 + 23 + 500)) / 2);
}

TEST(WindowGeometry, AboutDialogAThirdDownAndBackInsideTheScreen) {
    const Rect parent{100, 100, 850, 660};
    const Rect dialog{0, 0, 400, 150};
    const Rect placed = aboutDialogPlacement(parent, dialog, 23, 20, 1920, 1080);
    EXPECT_EQ(placed.left, 100 + (750 - 400) / 2);
    EXPECT_EQ(placed.top, 100 + 23 + (560 - 150) / 3 + 20);
    EXPECT_EQ(placed.width(), 400);

    const Rect nearCorner =
        aboutDialogPlacement(Rect{1700, 1000, 2450, 1560}, dialog, 23, 20, 1920, 1080);
    EXPECT_EQ(nearCorner.right, 1920);
    EXPECT_EQ(nearCorner.bottom, 1080);
    const Rect narrowParent = aboutDialogPlacement(Rect{0, 0, 300, 100}, dialog, 0, 0, 1920, 1080);
    EXPECT_EQ(narrowParent.left, 0);  // h and v never go below zero
    EXPECT_EQ(narrowParent.top, 0);
}

TEST(WindowGeometry, PreviewAtTheLeftAThirdDownAndProgressCentred) {
    const Point preview = previewWindowPosition(1024, 271);
    EXPECT_EQ(preview.x, 0);
    EXPECT_EQ(preview.y, 251);                          // (1024 − 271) / 3, truncated
    EXPECT_EQ(previewWindowPosition(200, 271).y, -23);  // a screen lower than the window
    const Point centred = centredOver(Rect{100, 50, 861, 611}, 246, 89);
    EXPECT_EQ(centred.x, 357);  // 100 + (761 − 246) / 2
    EXPECT_EQ(centred.y, 286);  // 50 + (561 − 89) / 2
}

TEST(WindowGeometry, AFrameThatFitsStaysAndOneThatDoesNotMovesInsideTheWorkArea) {
    const Rect work{0, 0, 1920, 1032};  // 1080 less a task bar
    const Point at = mainWindowPosition(1920, 1009, 4, 4, 23);
    const Rect at100{at.x, at.y, at.x + 748, at.y + 531};
    EXPECT_EQ(keptInsideWorkArea(at100, work), at100);
    // 150 %: the real frame is 1128 × 815; its bottom row of buttons above the task bar.
    EXPECT_EQ(keptInsideWorkArea(Rect{at.x, at.y, at.x + 1128, at.y + 815}, work),
              (Rect{at.x, 217, at.x + 1128, 1032}));
    // Larger than the work area: its caption and left edge stay in reach.
    EXPECT_EQ(keptInsideWorkArea(Rect{-50, -30, 2050, 1170}, Rect{0, 40, 1920, 1080}),
              (Rect{0, 40, 2100, 1240}));
}

TEST(MainWindowClosing, NeverWhileBusyAndAsksWithInputOpen) {
    auto state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui(shell);
    EXPECT_TRUE(mayCloseMainWindow(*state, shell, ui));
    EXPECT_TRUE(ui.messages.empty());
    state->inputFiles.fileCount = 1;
    ui.answers = {false, true};
    EXPECT_FALSE(mayCloseMainWindow(*state, shell, ui));
    EXPECT_TRUE(mayCloseMainWindow(*state, shell, ui));
    EXPECT_EQ(ui.messages.front(), (test::UiMessage{"confirm", "終了しますか？"}));
    shell.busy = true;
    EXPECT_FALSE(mayCloseMainWindow(*state, shell, ui));
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace velmorin
