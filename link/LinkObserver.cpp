#include "link/LinkObserver.h"

#include "link/FrameDecoder.h"

#include <cctype>
#include <chrono>
#include <cstdio>

LinkTime linkTimeNow()
{
    using namespace std::chrono;
    return {duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count(),
            duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()};
}

std::string refusalText(std::uint8_t exceptionCode)
{
    std::string meaning = FrameDecoder::exceptionMeaning(exceptionCode);
    if (!meaning.empty())
        meaning[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(meaning[0])));
    char code[8];
    std::snprintf(code, sizeof code, "%02X", unsigned(exceptionCode));
    return meaning + " (" + code + ")";
}
