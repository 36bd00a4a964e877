#pragma once

#include <QString>

class QWidget;

// The program's file dialogs: each kind of file (parameters, logs, plot data,
// images ...) opens in the folder last used for that kind, also after a
// restart, and a name typed without an extension gets the kind's.
namespace FileDialogs {

// `name` with ".suffix" added when its file part has no extension.
QString withSuffix(const QString& name, const QString& suffix);

// The folder last used for `kind`, or the home folder.
QString folderFor(const QString& kind);
// Keeps the folder of `chosenFile` as the one for `kind`.
void remember(const QString& kind, const QString& chosenFile);

// Empty when cancelled. A save name is given `defaultSuffix` when it has no extension.
QString saveFileName(QWidget* parent, const QString& caption, const QString& kind, const QString& filter,
                     const QString& defaultSuffix, bool confirmOverwrite = true);
QString openFileName(QWidget* parent, const QString& caption, const QString& kind, const QString& filter);

}
