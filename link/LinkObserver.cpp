#include "link/LinkObserver.h"

#include <chrono>

LinkTime linkTimeNow()
{
    using namespace std::chrono;
    return {duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count(),
            duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()};
}
