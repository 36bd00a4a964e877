#include "app/LayoutBuilder.h"

#include "app/PictureResource.h"
#include "app/PortComboBox.h"
#include "app/StoredPlot.h"
#include "widgets/TiAnalogOutput.h"
#include "widgets/TiAngularGauge.h"
#include "widgets/TiLabel.h"
#include "widgets/TiLedBar.h"
#include "widgets/TiLedRound.h"
#include "widgets/TiOdometer.h"
#include "widgets/TiSwitchLed.h"
#include "widgets/TiSwitchRotary.h"
#include "widgets/TiThermometer.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include <stdexcept>
#include <string>

namespace {

QFont layoutFont(const LayoutFont& font)
{
    QFont f(QString::fromUtf8(font.family));
    f.setPixelSize(font.pixelSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

QWidget* findParent(QWidget& window, const char* name)
{
    if (name == nullptr)
        return &window;
    auto* parent = window.findChild<QWidget*>(QString::fromUtf8(name));
    if (parent == nullptr)
        throw std::logic_error(std::string("layout: no parent named ") + name);
    return parent;
}

QWidget* createControl(const LayoutEntry& entry, QWidget* parent)
{
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
    case ControlKind::PageControl:
        return new QTabWidget(parent);
    case ControlKind::TabSheet: {
        auto* pages = qobject_cast<QTabWidget*>(parent);
        if (pages == nullptr)
            throw std::logic_error(std::string("layout: tab sheet outside a page control: ") + entry.name);
        auto* sheet = new QWidget;
        pages->addTab(sheet, text);
        return sheet;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::Edit:
        return new QLineEdit(text, parent);
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        setComboContents(*combo, entry.items, entry.text);
        return combo;
    }
    case ControlKind::PortComboBox: {
        auto* combo = new PortComboBox(parent);
        setComboContents(*combo, entry.items, entry.text);
        return combo;
    }
    case ControlKind::Button:
        return new QPushButton(text, parent);
    case ControlKind::BitBtn: {
        auto* button = new QPushButton(text, parent);
        if (entry.glyph != nullptr) {
            const QPixmap glyph(QString::fromUtf8(entry.glyph));
            button->setIcon(glyph);
            button->setIconSize(glyph.size());
        }
        return button;
    }
    case ControlKind::Image: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(QPixmap::fromImage(loadJpegResource(QString::fromUtf8(entry.glyph))));
        return picture;
    }
    case ControlKind::Bevel: {
        auto* bevel = new QFrame(parent);
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return bevel;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setOrientation(Qt::Vertical);
        bar->setRange(0, 100);
        bar->setValue(100);
        bar->setTextVisible(false);
        // Only the filled chunk shows: a thin line.
        bar->setStyleSheet("QProgressBar { border: none; background: transparent; }"
                           " QProgressBar::chunk { background-color: rgb(6, 176, 37); }");
        return bar;
    }
    case ControlKind::TiLabel:
        return new TiLabel(parent);
    case ControlKind::TiOdometer:
        return new TiOdometer(parent);
    case ControlKind::TiLedRound:
        return new TiLedRound(parent);
    case ControlKind::TiAnalogOutput:
        return new TiAnalogOutput(parent);
    case ControlKind::TiSwitchRotary:
        return new TiSwitchRotary(parent);
    case ControlKind::TiSwitchLed:
        return new TiSwitchLed(parent);
    case ControlKind::TiAngularGauge:
        return new TiAngularGauge(parent);
    case ControlKind::TiLedBar:
        return new TiLedBar(parent);
    case ControlKind::TiThermometer:
        return new TiThermometer(parent);
    case ControlKind::TiXYPlot:
        return createStoredPlot(parent, entry.glyph);
    }
    throw std::logic_error(std::string("layout: unknown control kind of ") + entry.name);
}

// An instrument widget takes its bounds and stored settings inside its
// loading bracket, so no event fires and it paints once, fully set up.
void loadInstrument(TiComponent& widget, const LayoutEntry& entry)
{
    widget.BeginLoading();
    widget.SetBounds(entry.left, entry.top, entry.width, entry.height);
    for (const WidgetProperty& property : entry.properties) {
        if (!widget.setProperty(property.name, property.value))
            throw std::logic_error(std::string("layout: ") + entry.name + " does not take " + property.name);
    }
    widget.Loaded();
}

void setBackground(QWidget& control, int color)
{
    QPalette colours = control.palette();
    const QColor background = tiToQColor(color);
    if (qobject_cast<QLineEdit*>(&control) != nullptr) {
        colours.setColor(QPalette::Base, background);
    } else {
        colours.setColor(QPalette::Window, background);
        control.setAutoFillBackground(true);
    }
    control.setPalette(colours);
}

} // namespace

void setComboContents(QComboBox& combo, const char* items, const char* text)
{
    if (items != nullptr)
        combo.addItems(QString::fromUtf8(items).split(u'|'));
    combo.setCurrentIndex(-1);
    combo.setEditText(QString::fromUtf8(text));
}

void buildLayout(QWidget& window, LayoutTable table)
{
    for (const LayoutEntry& entry : table) {
        QWidget* control = createControl(entry, findParent(window, entry.parent));
        control->setObjectName(QString::fromUtf8(entry.name));
        if (auto* instrument = qobject_cast<TiComponent*>(control))
            loadInstrument(*instrument, entry);
        else if (entry.kind != ControlKind::TabSheet)
            control->setGeometry(entry.left, entry.top, entry.width, entry.height);
        if (entry.font.family != nullptr)
            control->setFont(layoutFont(entry.font));
        if (entry.color != -1)
            setBackground(*control, entry.color);
        control->setEnabled(entry.enabled);
        if (!entry.visible)
            control->setVisible(false);
    }
}
