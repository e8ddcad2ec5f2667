// "時間指定で無音化": shows the fields the main window keeps between runs, enables the
// controls they allow, and hands its two buttons, "計画" and "無音化実行", to the core's
// model. Its message boxes are modal over it; the progress window of planning and writing
// is the main window's, centred over the main window, and closing it stops the operation.
#pragma once

#include "app/timed_mute_dialog.h"
#include "dialog.h"
#include "win32_ui.h"

namespace velmorin::win32 {

class TimedMuteDialog : public Dialog {
public:
    // `context.ui` is the main window's: it owns the progress window. `fields` are shown
    // and take what the controls hold when the dialog ends.
    TimedMuteDialog(TimedMuteContext context, GopListView& list, TimedMuteFields& fields);

private:
    // The message boxes of `boxes`, the progress window, pump and wait cursor of `frame`.
    class SplitUi : public Ui {
    public:
        SplitUi(Win32Ui& boxes, Ui& frame) : boxes_(boxes), frame_(frame) {}
        void error(const std::string& text) override { boxes_.error(text); }
        void info(const std::string& text) override { boxes_.info(text); }
        bool confirm(const std::string& text) override { return boxes_.confirm(text); }
        void pumpMessages() override { frame_.pumpMessages(); }
        ClientSize openProgress(const std::string& caption) override {
            return frame_.openProgress(caption);
        }
        void drawProgress(const ProgressBar& bar, int splitX) override {
            frame_.drawProgress(bar, splitX);
        }
        void closeProgress() override { frame_.closeProgress(); }
        // The cursor is the program's; the boxes keep the arrow over themselves.
        void setWaitCursor(bool on) override { boxes_.setWaitCursor(on); }

    private:
        Win32Ui& boxes_;
        Ui& frame_;
    };

    void onInit() override;
    bool onCommand(int id, int code) override;

    void showFields(const TimedMuteFields& fields);
    TimedMuteFields collect() const;
    void enableControls();
    // A "参照..." button: chooses an existing file for its path field.
    void browse(int browseId);
    // The model's plan in the list and the total line; both empty without one.
    void showPlan(bool shown);

    const AppState& state_;
    ShellState& shell_;
    TimedMuteFields& fields_;
    Win32Ui boxes_;
    SplitUi ui_;
    TimedMuteDialogModel model_;
};

}  // namespace velmorin::win32
