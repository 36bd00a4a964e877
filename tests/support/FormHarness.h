#pragma once

#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingMessageBoxes.h"

#include <memory>

// A window on a scripted port whose message boxes are recorded.
struct FormHarness {
    FormHarness()
    {
        installFontSubstitutions();
        auto fakePort = std::make_unique<FakeSerialPort>();
        auto fakeBoxes = std::make_unique<RecordingMessageBoxes>();
        port = fakePort.get();
        boxes = fakeBoxes.get();
        form = std::make_unique<TForm1>(std::move(fakePort), std::move(fakeBoxes));
    }

    FakeSerialPort* port = nullptr;
    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};
