#include "support/RunningSlave.h"

RunningSlave::RunningSlave(const FaultSettings& faults, const SimController::Options& options)
    : controller_(options, kStart), faults_(faults), slave_(controller_, faults_, [this] { return clock_.load(); })
{
    ok_ = slave_.open();
    if (ok_)
        thread_ = std::thread([this] { slave_.run(); });
}

RunningSlave::~RunningSlave()
{
    slave_.stop();
    if (thread_.joinable())
        thread_.join();
}
