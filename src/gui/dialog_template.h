// The dialog templates (ui/dialog_templates.h) as Qt widgets, laid out in pixels from the
// dialog font's base units.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dialog_templates.h"

namespace velmorin::gui {

// The program's dialog font, "ＭＳ ゴシック" 12 pt, with fixed-pitch Japanese fallbacks.
QFont dialogFont();
// "ＭＳ Ｐゴシック" 12 pt, the version dialog's proportional face, with Japanese fallbacks.
QFont proportionalDialogFont();

// A rectangle in dialog units, in pixels for a dialog with `font`.
QRect dialogUnitRect(const QFont& font, int x, int y, int width, int height);

// Creates the controls as children of `parent` at their pixel positions; every control
// gets the object name controlName(id) (static texts without id "static<n>"). Returns
// the pixel size of a `width` × `height` dialog-unit client.
QSize layoutControls(QWidget* parent, const std::vector<ControlTemplate>& controls, int width,
                     int height);
// The same for a whole template: its controls and its size.
QSize layoutDialog(QWidget* parent, const DialogTemplate& dialog);

// The object name of control `id` (one of ui/control_ids.h): "ctl<id>".
QString controlName(int id);
// The id of a control laid out from a template, from its object name; -1 for others.
int controlId(const QObject* control);
// Control `id` of a window laid out from a template, as a `Widget`; nullptr when it has
// no such control of that class.
template <class Widget>
Widget* control(const QObject* window, int id) {
    return window->findChild<Widget*>(controlName(id));
}

// Light grey (192, 192, 192) background, black text: the colouring of every dialog.
void paintLightGrey(QWidget* widget);

}  // namespace velmorin::gui
