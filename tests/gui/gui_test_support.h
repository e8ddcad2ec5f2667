// Helpers of the desktop program's tests: modal dialogs answered from the event loop.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace velmorin::test {

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `action` on the next modal widget once it is shown.
inline void whenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return whenModal(action);
        action(modal);
    });
}

// Runs `action` on the modal widget that opens on top of `below`.
inline void whenModalOver(QWidget* below, std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [below, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == below) return whenModalOver(below, action);
        action(modal);
    });
}

inline void click(QWidget* parent, const char* name) {
    auto* button = parent->findChild<QAbstractButton*>(name);
    QVERIFY2(button, name);
    button->click();
}

}  // namespace velmorin::test
