#include "console/ParameterBackups.h"

#include "console/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cctype>

namespace ParameterBackups {

namespace {

constexpr std::string_view kPrefix = "backup-address-";
constexpr std::string_view kSuffix = ".json";

// By Action, in its order.
struct Names {
    std::string_view file;
    std::string_view shown;
};
constexpr std::array kNames{
    Names{"default", "Default"},
    Names{"write-all", "Write All"},
    Names{"address-change", "address change"},
};
static_assert(kNames.size() == static_cast<std::size_t>(Action::AddressChange) + 1);

std::string portable(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '.' || c == '-' || c == '_')
            out += c;
        else if (c == ' ')
            out += '_';
    }
    return out;
}

std::string withPart(const std::string& name, int part)
{
    if (part < 2)
        return name;
    return name.substr(0, name.size() - kSuffix.size()) + "-" + std::to_string(part) + std::string(kSuffix);
}

}

std::string_view fileWord(Action action)
{
    return kNames[static_cast<std::size_t>(action)].file;
}

std::string_view displayName(Action action)
{
    return kNames[static_cast<std::size_t>(action)].shown;
}

std::string defaultFolder()
{
    // Named, not the program's own folder: the window and hxctl share it.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("hxconsole/backups")
        .toStdString();
}

std::string fileName(int address, std::string_view firmware, Action action, const QDateTime& time)
{
    std::string name(kPrefix);
    name += std::to_string(address);
    const std::string firm = portable(firmware);
    if (!firm.empty())
        name += "-" + firm;
    name += "-";
    name += fileWord(action);
    name += '-';
    name += time.toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")).toStdString();
    name += kSuffix;
    return name;
}

Saved save(const std::string& folder, const ParameterFile::Document& document, Action action, const QDateTime& time)
{
    const QDir dir(QString::fromStdString(folder));
    if (!QDir().mkpath(dir.path()))
        return {{}, "Cannot make the backup folder " + folder};
    const std::string name = fileName(document.busAddress.value_or(0), document.firmware, action, time);
    std::string path;
    for (int part = 1;; ++part) {
        path = dir.filePath(QString::fromStdString(withPart(name, part))).toStdString();
        if (!QFileInfo::exists(QString::fromStdString(path)))
            break;
    }
    std::string error = AtomicFile::write(path, ParameterFile::toJson(document));
    if (!error.empty())
        return {{}, std::move(error)};
    return {path, {}};
}

std::vector<std::string> list(const std::string& folder)
{
    const QDir dir(QString::fromStdString(folder));
    const QString pattern = QString::fromUtf8(kPrefix.data(), static_cast<qsizetype>(kPrefix.size())) + "*"
        + QString::fromUtf8(kSuffix.data(), static_cast<qsizetype>(kSuffix.size()));
    std::vector<std::string> out;
    for (const QFileInfo& info : dir.entryInfoList({pattern}, QDir::Files, QDir::Name))
        out.push_back(info.absoluteFilePath().toStdString());
    return out;
}

}
