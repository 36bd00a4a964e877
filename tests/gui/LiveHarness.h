#pragma once

#include "support/FormHarness.h"

#include <QString>
#include <QTimer>
#include <stdexcept>

// The real window on a scripted port, message boxes recorded, the timers
// stopped so that tests tick the handlers themselves.
struct LiveHarness : FormHarness {
    LiveHarness()
    {
        form->timer1().stop();
        form->timer2().stop();
        form->timer3().stop();
    }

    template <class Widget = QWidget>
    Widget& find(const char* name) const
    {
        auto* found = form->findChild<Widget*>(QString::fromUtf8(name));
        if (found == nullptr)
            throw std::logic_error(std::string("no control ") + name);
        return *found;
    }

    double property(const char* widget, const char* name) const
    {
        return find(widget).property(name).toDouble();
    }
};
