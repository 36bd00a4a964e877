#include "GalleryWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int kColumns = 4;
constexpr int kSliderSteps = 1000;
} // namespace

GalleryWindow::GalleryWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("hx-gallery"));
    auto* outer = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("GallerySlider"));
    m_slider->setRange(0, kSliderSteps);
    m_sliderText = new QLabel(this);
    m_sliderText->setMinimumWidth(50);
    controls->addWidget(new QLabel(QStringLiteral("Value"), this));
    controls->addWidget(m_slider, 1);
    controls->addWidget(m_sliderText);
    outer->addLayout(controls);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(16);
    m_grid->setVerticalSpacing(6);
    outer->addLayout(m_grid);
    outer->addStretch(1);
    connect(m_slider, &QSlider::valueChanged, this, &GalleryWindow::applyFraction);
    applyFraction();
}

void GalleryWindow::addSection(const QString& title)
{
    if (m_column > 0)
        m_row += 2;
    auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(title.toHtmlEscaped()), this);
    m_grid->addWidget(label, m_row, 0, 1, kColumns);
    ++m_row;
    m_column = 0;
}

void GalleryWindow::addCell(const QString& caption, QWidget* widget,
                            std::function<void(double fraction)> update)
{
    if (m_column == kColumns) {
        m_row += 2;
        m_column = 0;
    }
    widget->setParent(this);
    widget->setFixedSize(widget->size());
    m_grid->addWidget(widget, m_row, m_column, Qt::AlignHCenter | Qt::AlignBottom);
    auto* label = new QLabel(caption, this);
    m_grid->addWidget(label, m_row + 1, m_column, Qt::AlignHCenter | Qt::AlignTop);
    ++m_column;
    if (update) {
        update(static_cast<double>(m_slider->value()) / kSliderSteps);
        m_updates.push_back(std::move(update));
    }
}

void GalleryWindow::setFraction(double fraction)
{
    m_slider->setValue(static_cast<int>(std::lround(fraction * kSliderSteps)));
}

void GalleryWindow::applyFraction()
{
    const double fraction = static_cast<double>(m_slider->value()) / kSliderSteps;
    m_sliderText->setText(QStringLiteral("%1 %").arg(fraction * 100, 0, 'f', 1));
    for (const auto& update : m_updates)
        update(fraction);
}
