#include "link/LinkTap.h"

#include "link/SerialPort.h"

void LinkTap::sent(std::span<const std::uint8_t> frame, long written, std::size_t replyLength)
{
    judged_ = false;
    observer_->requestSent(now(), frame, written, replyLength);
}

void LinkTap::reportDiscard(SerialPort& port)
{
    const long waiting = port.bytesWaiting();
    if (waiting > 0)
        observer_->bytesDiscarded(now(), static_cast<std::size_t>(waiting));
}

void LinkTap::portNotes(SerialPort& port)
{
    std::vector<PortNote> notes = port.takeNotes();
    if (!observer_)
        return;
    for (const PortNote& note : notes)
        observer_->portNote(now(), note);
}
