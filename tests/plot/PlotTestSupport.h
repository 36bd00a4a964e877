#pragma once

#include "plot/TiXYPlot.h"
#include "widgets/TiClock.h"
#include "widgets/TiError.h"

#include <QApplication>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A clock the test moves by hand.
class PlotFakeClock : public TiClock {
public:
    double NowMs() const override { return now; }
    double now = 1000.0;
};

// A plot that counts the repaint requests its objects make.
class CountingPlot : public TiXYPlot {
public:
    int changes = 0;
    int removals = 0;
    int paints = 0;
    void MasterChange() override
    {
        ++changes;
        TiXYPlot::MasterChange();
    }
    void MasterRemove(TiPlotObject* object) override
    {
        ++removals;
        TiXYPlot::MasterRemove(object);
    }

protected:
    void iPaintTo(TiCanvas& canvas) override
    {
        ++paints;
        TiXYPlot::iPaintTo(canvas);
    }
};

// Lets queued paint requests run.
inline void FlushPaints()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// The message of the TiError that f raises, or "" when it raises none.
inline QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const TiError& e) {
        return e.Message();
    }
    return QString();
}
