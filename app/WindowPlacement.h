#pragma once

#include <QPoint>
#include <QString>

class QWidget;

// Shows a tool window of the console (bus monitor, trend): placed at
// `offset` from the main window's top left corner when it was hidden, kept
// on the screen, then raised and activated.
void showBesideForm(QWidget& window, const QWidget& form, QPoint offset);

// A warning over `form` that does not hold it up (a log or journal file
// that cannot be written): the console goes on while it is shown.
void showWarningBeside(QWidget& form, const QString& caption, const QString& text);
