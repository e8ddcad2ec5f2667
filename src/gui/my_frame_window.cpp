#include "my_frame_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "about_dialog.h"
#include "app/window_geometry.h"
#include "dialog_template.h"
#include "my_file_dialogs.h"
#include "platform/native_path.h"
#include "platform/platform.h"
#include "program_icon.h"
#include "setting_dialog.h"
#include "src_path_select_dialog.h"
#include "timed_mute_dialog.h"

namespace velmorin::gui {

MyFrameWindow::MyFrameWindow(std::unique_ptr<AppState> state, ShellState shell,
                             std::string settingsPath)
    : state_(std::move(state)),
      shell_(std::move(shell)),
      settingsPath_(std::move(settingsPath)),
      client_(new MyDialog(this)),
      ui_(this, shell_) {
    setObjectName("MyFrameWindow");
    setWindowTitle(kMainCaption);
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setCentralWidget(client_);
    buildMenu();
    connect(client_, &MyDialog::command, this, &MyFrameWindow::runCommand);
    // The exit button carries the cancel id: the cancel key runs it too.
    auto* cancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(cancelKey, &QShortcut::activated, this,
            [this] { runCommand(ids::main_window::kExit); });
    connect(client_, &MyDialog::userSelectionChanged, this, [this] { refreshPreview(); });
    shell_.busy = false;
    shell_.cancelRequested = false;
    state_->gopTable.gopCount = 0;

    // Fixed size, placed for a 740 × 500 client in the middle of the screen.
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const Point p =
            mainWindowPosition(available.width(), available.height() - caption, 4, 4, caption);
        move(available.left() + p.x, available.top() + p.y);
    }
}

void MyFrameWindow::buildMenu() {
    const auto add = [this](QMenu* menu, const char* text, int id) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QString("menu%1").arg(id));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    for (const MenuTemplate& m : mainMenuTemplate()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.text));
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == ids::menu::kSeparator)
                menu->addSeparator();
            else
                add(menu, item.text, item.id);
        }
    }

    // The help button and the help menu share Alt+H, which Qt would take as ambiguous
    // and answer with neither. The menu bar keeps the one shortcut, and it runs help, as
    // the button's mnemonic does.
    if (auto* helpButton = control<QPushButton>(client_, ids::main_window::kHelp)) {
        helpButton->setShortcut(QKeySequence());
        helpKey_ = QKeySequence::mnemonic(helpButton->text());
        menuBar()->installEventFilter(this);
    }
}

bool MyFrameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menuBar() && event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->key() == helpKey_) {
        runCommand(ids::main_window::kHelp);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MyFrameWindow::runCommand(int id) {
    runMainCommand(
        {*state_, shell_, ui_, client_->gopList(), buffer_, systemPlatform(), *this, *this, *this},
        id);
}

void MyFrameWindow::refreshPreview() {
    const PreviewUpdate update = previewUpdate(*state_, client_->gopList());
    if (update.action == PreviewUpdate::Action::Close) {
        if (preview_) preview_->close();
        return;
    }
    if (update.action == PreviewUpdate::Action::Nothing) return;
    if (!preview_) {
        preview_ = new PreViewFrameWindow(this, decoder_, shell_);
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->geometry()
                                 : QRect();
        const Point at = previewWindowPosition(screen.height(), preview_->frameGeometry().height());
        preview_->move(at.x, at.y);
        preview_->setRequest(update.request);
        preview_->show();  // without taking activation: the keys stay with the GOP list
        activateWindow();
        client_->gopList().focus();
        return;
    }
    preview_->setRequest(update.request);
}

bool MyFrameWindow::runSettingsDialog() {
    SettingDialog dialog(this, state_->settings, shell_);
    return dialog.exec() == QDialog::Accepted;
}

void MyFrameWindow::requestClose() {
    close();
}

void MyFrameWindow::openDocument(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void MyFrameWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) return event->accept();
    if (!mayCloseMainWindow(*state_, shell_, ui_)) return event->ignore();
    shutDown(*state_, shell_, settingsPath_);
    shutDown_ = true;
    event->accept();
}

bool MyFrameWindow::runSourceDialog(const std::string& startFolder, const std::string& caption,
                                    std::string& finalFolder) {
    SrcPathSelectDialog dialog(this, *state_, shell_, QString::fromStdString(caption), startFolder);
    const bool ok = dialog.exec() == QDialog::Accepted;
    finalFolder = dialog.folder();
    return ok;
}

std::optional<std::string> MyFrameWindow::chooseProjectToOpen(const std::string& folder,
                                                              const std::string& fileName) {
    MyFileOpenDialog dialog(this, folder, fileName);
    return chosenPath(dialog);
}

std::optional<std::string> MyFrameWindow::chooseProjectToSave(const std::string& folder,
                                                              const std::string& fileName) {
    MyFileSaveDialog dialog(this, folder, fileName);
    return chosenPath(dialog);
}

void MyFrameWindow::runTimedMuteDialog() {
    TimedMuteDialog dialog(this, *state_, shell_, buffer_, client_->gopList(), timedMuteFields_);
    dialog.exec();
    // The caret may stand on another GOP now, as after a pattern button.
    refreshPreview();
}

void MyFrameWindow::showAboutDialog() {
    AboutDialog dialog(this);
    const QRect p = frameGeometry();
    const QRect screen =
        QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
    const Rect placed = aboutDialogPlacement(Rect{p.left(), p.top(), p.right() + 1, p.bottom() + 1},
                                             Rect{0, 0, dialog.width(), dialog.height()},
                                             style()->pixelMetric(QStyle::PM_TitleBarHeight),
                                             menuBar()->height(), screen.width(), screen.height());
    dialog.move(placed.left, placed.top);
    dialog.exec();
}

}  // namespace velmorin::gui
