#include "integration/SimulatorProcess.h"

#include <QProcessEnvironment>

#include <csignal>

Simulator::Simulator(const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime_.path());
    process_.setProcessEnvironment(environment);
    process_.start(QString::fromUtf8(HX_BINARY_DIR "/sim/hx-sim"), QStringList{"--steady"} + arguments);
    if (!process_.waitForStarted(5000))
        return;
    for (int i = 0; i < 100 && !process_.canReadLine(); ++i)
        process_.waitForReadyRead(50);
    device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

void Simulator::kill()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(5000);
}

void Simulator::pause()
{
    if (process_.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP);
}
