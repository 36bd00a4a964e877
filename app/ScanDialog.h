#pragma once

#include "link/BusScan.h"

#include <QDialog>
#include <QTimer>

#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;

// "Scan...": looks for controllers on the bus when the address is unknown.
// The technician sets the range and starts; the bar shows the progress, the
// list the addresses that answered with their firmware text. Choosing one
// ("Use Address" or a double click) closes the dialog with that address.
// The scan only reads. While it runs the dialog tells its owner through
// runningChanged(), so no other command starts on the port meanwhile.
class ScanDialog : public QDialog {
    Q_OBJECT
public:
    // Reads are taken this often while the scan runs, in milliseconds.
    static constexpr int kStepMs = 2;

    ScanDialog(BusScan& scan, QWidget* parent = nullptr);
    ~ScanDialog() override;

    // The address chosen, once the dialog was accepted.
    std::optional<int> chosenAddress() const { return chosen_; }

    // What the buttons and the timer do; tests call them directly.
    void start();
    void step();
    void cancelOrClose();
    void useSelected();
    // Escape or the close box: a running scan is cancelled first.
    void reject() override;

signals:
    void runningChanged(bool running);

private:
    void finish();
    void showProgress();

    BusScan& scan_;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QSpinBox* timeout_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* useButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QListWidget* found_ = nullptr;
    QTimer timer_;
    std::size_t listed_ = 0;
    std::optional<int> chosen_;
};
