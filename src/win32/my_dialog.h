// The main window's client, from template 1: the GOP list with its buttons on the left,
// the nine pattern buttons on the right, exit, settings and help below. Every button and
// the list's double click report their id; the user's selection changes ask for the
// preview.
#pragma once

#include <functional>

#include "dialog.h"
#include "list_box_gop_view.h"

namespace velmorin::win32 {

class MyDialog : public Dialog {
public:
    MyDialog(std::function<void(int)> command, std::function<void()> selectionChanged);
    ListBoxGopView& gopList() { return gopList_; }

private:
    void onInit() override;
    bool onCommand(int id, int code) override;

    std::function<void(int)> command_;
    std::function<void()> selectionChanged_;
    ListBoxGopView gopList_;
};

}  // namespace velmorin::win32
