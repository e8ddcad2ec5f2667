// "時間指定で無音化": silences the spans of title time that are typed, listed in an EDL
// file or found by words in a subtitle file. The dialog shows and collects the fields; its
// model plans and writes, and raises every message.
#pragma once

#include <QDialog>

#include "app/timed_mute_dialog.h"
#include "platform/sector_buffer.h"
#include "qt_ui.h"
#include "state/app_state.h"
#include "ui/gop_list_view.h"

namespace velmorin::gui {

class TimedMuteDialog : public QDialog {
    Q_OBJECT
public:
    // `fields` fill the controls and receive what they hold whenever the dialog reads them;
    // `list` is the main window's GOP list, which shows the written GOPs' new patterns.
    TimedMuteDialog(QWidget* parent, AppState& state, ShellState& shell, SectorBuffer& buffer,
                    GopListView& list, TimedMuteFields& fields);

public slots:
    // Not while a plan or a write runs: its progress window stops it instead.
    void reject() override;

private:
    void showFields();
    TimedMuteFields& collectFields();
    void enableControls();
    void showPlan(bool shown);
    void plan();
    void write();
    // A browse button: chooses an existing file for its path field.
    void browse(int browseId);

    const AppState& state_;
    ShellState& shell_;
    TimedMuteFields& fields_;
    QtUi ui_;
    TimedMuteDialogModel model_;
};

}  // namespace velmorin::gui
