#include "widgets/TiClock.h"

#include <chrono>

namespace {

class SteadyClock final : public TiClock {
public:
    double NowMs() const override
    {
        using namespace std::chrono;
        return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace

const TiClock& TiClock::Steady()
{
    static const SteadyClock clock;
    return clock;
}
