#pragma once

#include <functional>
#include <string>

// One writer of the operator's files against the ways a disk fails and a
// target is special. `write` writes the writer's content to the path and
// returns its failure message ("" on success); `appends` says the old
// bytes stay at the head of a successful write. Checks, as gtest
// expectations: on a full disk and in a read-only folder the message names
// the file and the old file is left byte for byte (an appending writer may
// have added whole records) with no temporary file beside it; a folder as target fails naming it; a symbolic link is written
// through and stays a link; a 0600 file stays 0600. Every name the checks
// make ends in `suffix` (".png" for a writer that goes by the extension).
void expectSafeWriter(const std::function<std::string(const std::string& path)>& write, bool appends = false,
                      const std::string& suffix = {});
