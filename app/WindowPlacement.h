#pragma once

#include <QPoint>

class QWidget;

// Shows a tool window of the console (bus monitor, trend): placed at
// `offset` from the main window's top left corner when it was hidden, kept
// on the screen, then raised and activated.
void showBesideForm(QWidget& window, const QWidget& form, QPoint offset);
