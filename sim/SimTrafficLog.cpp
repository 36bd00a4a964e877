#include "sim/SimTrafficLog.h"

#include "link/FrameDecoder.h"

void FaultCounts::count(const FaultInjector::Decision& decision)
{
    ++replies;
    if (decision.drop)
        ++dropped;
    else if (!decision.stray.empty())
        ++stray;
    else if (decision.wrongAddress)
        ++otherAddress;
    else if (decision.corruptCrc)
        ++badCrc;
}

std::string FaultCounts::summary() const
{
    return "faults injected in " + std::to_string(replies) + " replies: " + std::to_string(dropped) + " dropped, "
        + std::to_string(stray) + " with stray bytes, " + std::to_string(otherAddress) + " from another address, "
        + std::to_string(badCrc) + " with a bad CRC";
}

bool SimTrafficLog::open(const std::string& path, std::string& error)
{
    if (file_.open(path, false))
        return true;
    error = path + ": " + file_.error();
    return false;
}

void SimTrafficLog::exchange(const LinkTime& requestAt, const std::vector<std::uint8_t>& request,
                             const LinkTime& replyAt, const std::vector<std::uint8_t>& reply,
                             const FaultInjector::Decision& decision)
{
    faults_.count(decision);
    if (!file_.isOpen())
        return;
    TrafficEntry served;
    served.time = requestAt;
    served.kind = TrafficEntry::Kind::Served;
    served.direction = TrafficEntry::Direction::In;
    served.bytes = request;
    write(served);

    TrafficEntry answer;
    answer.time = replyAt;
    answer.direction = reply.empty() ? TrafficEntry::Direction::None : TrafficEntry::Direction::Out;
    answer.request = FrameDecoder::headerOf(request);
    answer.bytes = reply;
    answer.count = static_cast<std::uint32_t>(decision.stray.size());
    answer.faults = static_cast<std::uint8_t>((decision.drop ? TrafficEntry::Dropped : 0)
                                              | (decision.corruptCrc ? TrafficEntry::BadCrc : 0)
                                              | (decision.stray.empty() ? 0 : TrafficEntry::Stray)
                                              | (decision.wrongAddress ? TrafficEntry::OtherAddress : 0));
    answer.kind = answer.faults != 0 ? TrafficEntry::Kind::Injected : TrafficEntry::Kind::Reply;
    write(answer);
}

void SimTrafficLog::write(const TrafficEntry& entry)
{
    if (file_.isOpen() && !file_.write(entry))
        error_ = file_.path() + ": " + file_.error();
}

bool SimTrafficLog::close()
{
    if (!file_.isOpen())
        return true;
    file_.writeNote(faults_.summary());
    if (file_.close())
        return true;
    error_ = file_.path() + ": " + file_.error();
    return false;
}
