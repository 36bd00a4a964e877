#pragma once

#include "console/ParameterFile.h"

#include <QDateTime>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Parameter files the console saves by itself before it changes a
// controller wholesale (factory defaults, Write All, a new bus address), so
// that every such change can be undone by loading the backup and writing it
// back. The files are ordinary parameter files in a per-user folder, named
// so that a listing sorted by name groups them by address:
//
//   backup-address-1-HX-CTRL_V2.13-default-2026-12-09T21-40-05.json
namespace ParameterBackups {

enum class Action { Default, WriteAll, AddressChange };

// "default", "write-all", "address-change": as the file name says it.
std::string_view fileWord(Action action);
// "Default", "Write All", "address change": as the operator reads it.
std::string_view displayName(Action action);

// The per-user folder of the backups, one for the window and hxctl.
std::string defaultFolder();

// `firmware` is reduced to letters, digits, '.', '-' and '_' (spaces become
// '_'), so any controller's text gives a portable name; an empty text is
// left out. `time` is the local time of the backup, to the second.
std::string fileName(int address, std::string_view firmware, Action action, const QDateTime& time);

struct Saved {
    std::string path;    // the file written, empty on failure
    std::string error;   // why nothing was written, for the operator
};

// Writes `document` under fileName() in `folder`, made when missing. A name
// already taken (two backups in one second) gets "-2", "-3" ... before the
// suffix, so no backup replaces another.
Saved save(const std::string& folder, const ParameterFile::Document& document, Action action, const QDateTime& time);

// The backups in `folder`, sorted by name; empty when there are none.
std::vector<std::string> list(const std::string& folder);

}
