#include "dialog_template.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/window_geometry.h"
#include "program_icon.h"

namespace velmorin::gui {

QFont dialogFont() {
    QFont font;
    font.setFamilies(
        {"ＭＳ ゴシック", "MS Gothic", "IPAGothic", "Noto Sans Mono CJK JP", "monospace"});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(16);  // 12 points at 96 dpi
    return font;
}

QFont proportionalDialogFont() {
    QFont font;
    font.setFamilies(
        {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "Noto Sans CJK JP", "sans-serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);  // 12 points at 96 dpi
    return font;
}

void paintLightGrey(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    palette.setColor(QPalette::Button, QColor(192, 192, 192));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QRect dialogUnitRect(const QFont& font, int x, int y, int width, int height) {
    const QFontMetrics metrics(font);
    // Base units as the platform takes them for a dialog font: the average width of the
    // Latin letters and the font's height.
    const int baseWidth =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
         1) /
        2;
    const Rect r = dialogUnitsToPixels(x, y, width, height, baseWidth, metrics.height());
    return QRect(r.left, r.top, r.width(), r.height());
}

QSize layoutControls(QWidget* parent, const std::vector<ControlTemplate>& controls, int width,
                     int height) {
    constexpr int kIconSize = 32;  // the system's large icon
    int unnamed = 0;
    QLabel* pendingMnemonic = nullptr;  // a label whose "&X" moves the focus to the next control
    // Each run of radio buttons in the list is one group: checking one clears the others
    // of its run only.
    QButtonGroup* radios = nullptr;
    for (const auto& c : controls) {
        QRect r = dialogUnitRect(parent->font(), c.x, c.y, c.width, c.height);
        QWidget* w = nullptr;
        const QString text = QString::fromUtf8(c.text);
        switch (c.kind) {
            case ControlTemplate::Kind::Frame: {
                auto* label = new QLabel(parent);
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
                w = label;
                break;
            }
            case ControlTemplate::Kind::FramedLabel: {
                auto* label = new QLabel(text, parent);
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                w = label;
                break;
            }
            case ControlTemplate::Kind::Label:
                w = new QLabel(text, parent);
                break;
            case ControlTemplate::Kind::Button:
            case ControlTemplate::Kind::DefaultButton: {
                auto* button = new QPushButton(text, parent);
                button->setDefault(c.kind == ControlTemplate::Kind::DefaultButton);
                button->setAutoDefault(false);
                w = button;
                break;
            }
            case ControlTemplate::Kind::List:
                w = new QListView(parent);
                break;
            case ControlTemplate::Kind::CheckBox:
                w = new QCheckBox(text, parent);
                break;
            case ControlTemplate::Kind::Radio: {
                auto* radio = new QRadioButton(text, parent);
                if (!radios) radios = new QButtonGroup(parent);
                radios->addButton(radio);
                w = radio;
                break;
            }
            case ControlTemplate::Kind::Edit:
                if (c.options & ControlTemplate::kMultiline) {
                    // Enter starts a new line; Tab still moves on to the next control.
                    auto* lines = new QPlainTextEdit(parent);
                    lines->setTabChangesFocus(true);
                    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
                    w = lines;
                } else {
                    w = new QLineEdit(parent);
                }
                break;
            case ControlTemplate::Kind::Combo:
                // The template's height includes the open list; the closed box is one
                // line high.
                w = new QComboBox(parent);
                r.setHeight(dialogUnitRect(parent->font(), 0, 0, 0, 12).height());
                break;
            case ControlTemplate::Kind::Icon: {
                auto* label = new QLabel(parent);
                label->setPixmap(programIcon().pixmap(kIconSize, kIconSize));
                w = label;
                break;
            }
        }
        if (c.kind != ControlTemplate::Kind::Radio) radios = nullptr;
        w->setObjectName(c.id >= 0 ? controlName(c.id) : QString("static%1").arg(unnamed++));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (text.contains('&')) pendingMnemonic = label;
        } else if (pendingMnemonic) {
            pendingMnemonic->setBuddy(w);
            pendingMnemonic = nullptr;
        }
        // An icon control takes the size of the icon it shows, not its template's.
        w->setGeometry(c.kind == ControlTemplate::Kind::Icon
                           ? QRect(r.topLeft(), QSize(kIconSize, kIconSize))
                           : r);
    }
    return dialogUnitRect(parent->font(), 0, 0, width, height).size();
}

QSize layoutDialog(QWidget* parent, const DialogTemplate& dialog) {
    return layoutControls(parent, dialog.controls, dialog.width, dialog.height);
}

QString controlName(int id) {
    return QStringLiteral("ctl%1").arg(id);
}

int controlId(const QObject* control) {
    const QString name = control->objectName();
    bool ok = false;
    const int id = name.startsWith(QLatin1String("ctl")) ? name.mid(3).toInt(&ok) : -1;
    return ok ? id : -1;
}

}  // namespace velmorin::gui
