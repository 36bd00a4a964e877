#include "widgets/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace FileDialogs {

namespace {

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("hxconsole"),
                     QStringLiteral("hxconsole"));
}

QString key(const QString& kind)
{
    return QStringLiteral("folders/") + kind;
}

} // namespace

QString withSuffix(const QString& name, const QString& suffix)
{
    if (name.isEmpty() || suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + suffix;
}

QString folderFor(const QString& kind)
{
    const QString folder = settings().value(key(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

void remember(const QString& kind, const QString& chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    settings().setValue(key(kind), QFileInfo(chosenFile).absolutePath());
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& kind, const QString& filter,
                     const QString& defaultSuffix, bool confirmOverwrite)
{
    const QString name = withSuffix(
        QFileDialog::getSaveFileName(parent, caption, folderFor(kind), filter, nullptr,
                                     confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite),
        defaultSuffix);
    remember(kind, name);
    return name;
}

QString openFileName(QWidget* parent, const QString& caption, const QString& kind, const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(parent, caption, folderFor(kind), filter);
    remember(kind, name);
    return name;
}

}
