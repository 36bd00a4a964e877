#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QGridLayout;
class QLabel;
class QSlider;

// One window showing instrument widgets with the console's settings. Each
// widget family adds its cells; one slider sweeps every widget from its
// minimum (0) to its maximum (1) so that they can be watched moving.
class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    // Starts a new titled row of cells.
    void addSection(const QString& title);
    // Adds a captioned cell holding `widget` (the window takes ownership);
    // `update` receives the slider's fraction, 0..1.
    void addCell(const QString& caption, QWidget* widget,
                 std::function<void(double fraction)> update = {});

    // Moves the slider (and every widget) to a fraction of its travel.
    void setFraction(double fraction);

private:
    void applyFraction();

    QGridLayout* m_grid = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_sliderText = nullptr;
    int m_row = 0;     // first row of the cells being filled
    int m_column = 0;
    std::vector<std::function<void(double)>> m_updates;
};
