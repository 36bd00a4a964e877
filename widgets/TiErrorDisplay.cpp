#include "widgets/TiErrorDisplay.h"

#include <QtGlobal>

namespace {

TiErrorDisplay::Handler& installed()
{
    static TiErrorDisplay::Handler handler;
    return handler;
}

} // namespace

TiErrorDisplay::Installation::Installation(Handler handler) : m_previous(std::move(installed()))
{
    installed() = std::move(handler);
}

TiErrorDisplay::Installation::~Installation() { installed() = std::move(m_previous); }

void TiErrorDisplay::Show(const std::exception& error)
{
    if (installed())
        installed()(error);
    else
        qWarning("%s", error.what());
}
