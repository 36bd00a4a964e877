#pragma once

#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QString>
#include <QTimer>
#include <memory>
#include <stdexcept>

// The real window on a scripted port, message boxes recorded, the timers
// stopped so that tests tick the handlers themselves.
struct LiveHarness {
    LiveHarness()
    {
        installFontSubstitutions();
        auto fakePort = std::make_unique<FakeSerialPort>();
        auto fakeBoxes = std::make_unique<RecordingMessageBoxes>();
        port = fakePort.get();
        boxes = fakeBoxes.get();
        form = std::make_unique<TForm1>(std::move(fakePort), std::move(fakeBoxes));
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

    FakeSerialPort* port = nullptr;
    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};
