// A fan-speed dial beside a curve of speed against temperature, built from
// the installed libraries. `--shot FILE.png` saves the window and quits.
#include <plot/TiPlotAxis.h>
#include <plot/TiXYPlot.h>
#include <widgets/TiAngularGauge.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("hx-consumer"));
    auto* layout = new QHBoxLayout(&window);

    auto* dial = new TiAngularGauge;
    dial->BeginLoading();
    dial->SetPositionMax(3000);
    dial->SetArcRangeDegrees(260);
    dial->SetArcStartDegrees(220);
    dial->SetSectionCount(3);
    dial->SetSectionEnd1(1000);
    dial->SetSectionColor1(clYellow);
    dial->SetSectionEnd2(2700);
    dial->SetSectionColor2(clGreen);
    dial->SetSectionEnd3(3000);
    dial->SetPosition(1850);
    dial->Loaded();
    dial->setMinimumSize(260, 260);
    layout->addWidget(dial);

    auto* plot = new TiXYPlot;
    plot->setMinimumSize(460, 300);
    plot->BeginUpdate();
    plot->SetTitleText(QStringLiteral("Fan speed against temperature"));
    plot->GetXAxis(0)->SetTitle(QStringLiteral("Temperature (C)"));
    plot->GetXAxis(0)->SetTitleShow(true);
    plot->GetYAxis(0)->SetTitle(QStringLiteral("Fan speed (rpm)"));
    plot->GetYAxis(0)->SetTitleShow(true);
    TiXYPlotChannel& curve = *plot->GetChannel(0);
    curve.SetTitleText(QStringLiteral("Fan curve"));
    for (const auto& [celsius, rpm] : {std::pair{10.0, 800.0}, {20.0, 800.0}, {35.0, 2200.0}, {40.0, 2200.0},
                                       {40.0, 2500.0}, {60.0, 2500.0}})
        curve.AddXY(celsius, rpm);
    plot->EndUpdate();
    layout->addWidget(plot, 1);

    window.resize(780, 340);
    window.show();
    if (argc == 3 && std::strcmp(argv[1], "--shot") == 0)
        return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    return app.exec();
}
