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

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QString device_;
};
