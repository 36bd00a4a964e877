#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// One hx-sim process with a private runtime folder, so its port file never
// meets that of another simulator running on the machine.
class Simulator {
public:
    explicit Simulator(const QStringList& arguments);
    ~Simulator() { kill(); }

    const QString& device() const { return device_; }
    void kill();
    // Stops the process without ending it: its line stays open but nothing
    // answers, as with a controller that hangs.
    void pause();

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QString device_;
};
