// Helpers of the desktop program's tests: modal dialogs answered from the event loop.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QListView>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "my_frame_window.h"

namespace velmorin::test {

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// After a failed check inside a modal's handler nobody would close the modal, and the
// test would wait in its event loop for ever: close every open modal instead.
inline void closeModalsOnFailure() {
    if (!QTest::currentTestFailed()) return;
    QTimer::singleShot(10, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        closeModalsOnFailure();
    });
}

// Runs `action` on the next modal widget once it is shown.
inline void whenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return whenModal(action);
        action(modal);
        closeModalsOnFailure();
    });
}

// Runs `action` on the modal widget that opens on top of `below`.
inline void whenModalOver(QWidget* below, std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [below, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == below) return whenModalOver(below, action);
        action(modal);
        closeModalsOnFailure();
    });
}

// Clicks the button with control id `id` of a window laid out from a template.
inline void click(QWidget* parent, int id) {
    auto* button = gui::control<QAbstractButton>(parent, id);
    QVERIFY2(button, qPrintable(gui::controlName(id)));
    button->click();
}

// The main window's GOP list, line by line.
inline std::vector<std::string> listLines(gui::MyFrameWindow& window) {
    auto& list = window.client().gopList();
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i) lines.push_back(list.line(i));
    return lines;
}

// "入力ﾌｧｲﾙを開く" with every file of the source dialog's list selected.
inline void openAllListedFiles(gui::MyFrameWindow& window) {
    whenModal([](QWidget* dialog) {
        gui::control<QListView>(dialog, ids::path_dialog::kFiles)->selectAll();
        click(dialog, ids::path_dialog::kSelect);
    });
    click(&window, ids::main_window::kInputFiles);
}

}  // namespace velmorin::test
