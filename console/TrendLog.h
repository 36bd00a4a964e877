#pragma once

#include "console/TrendCsv.h"
#include "console/TrendRecorder.h"
#include "files/AppendingFile.h"

#include <cstdint>
#include <functional>
#include <string>

// Appends every recorded sample to a CSV file in the per-user data folder:
// one file per bus address and local day ("trend-address-1-2026-12-09.csv",
// then "...-2.csv" once a file reaches the size limit or the name is taken
// by an earlier session). Each row reaches the system as it is recorded and
// the disk at least once a second of the samples' time. The day of a row is
// the one its own time stamp names, so the split at midnight and the syncs
// follow the clock that stamped the samples.
//
// A file that cannot be made or written is reported once through `report`
// (naming the file and the reason); the log then stays off until it is
// switched on again, while the recorder goes on in memory.
class TrendLog : public TrendRecorder::Listener {
public:
    static constexpr std::int64_t kSplitBytes = 100LL * 1024 * 1024;
    using Report = std::function<void(const std::string& message)>;

    TrendLog(std::string folder, Report report, std::int64_t splitBytes = kSplitBytes);

    // The per-user folder the console's logs go to.
    static std::string defaultFolder();
    static std::string fileName(int address, const std::string& day, int part);

    // Port, address and firmware for the comment lines; another address
    // starts another file.
    void setHeader(const TrendCsv::Header& header);
    const TrendCsv::Header& header() const { return header_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    bool failed() const { return failed_; }
    // The file rows go to now; empty before the first row.
    std::string currentPath() const { return file_.isOpen() ? file_.path() : std::string(); }
    const std::string& folder() const { return folder_; }

    void sampleRecorded(const LiveQuantities::Sample& sample) override;
    void markRecorded(const TrendMark& mark) override;

private:
    // Appends `text` to the file of `day`, opening the next one when needed.
    void put(const std::string& day, const std::string& text, std::int64_t wallMs);
    bool openFor(const std::string& day);
    void fail(const std::string& reason);

    std::string folder_;
    Report report_;
    std::int64_t splitBytes_;
    TrendCsv::Header header_;
    bool enabled_ = true;
    bool failed_ = false;
    AppendingFile file_;
    std::string day_;
    int part_ = 0;
    std::int64_t syncedMs_ = 0;
};
