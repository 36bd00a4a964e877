#include "app/LayoutBuilder.h"

#include "app/PortComboBox.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
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
    }
    throw std::logic_error(std::string("layout: unknown control kind of ") + entry.name);
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
        if (entry.kind != ControlKind::TabSheet)
            control->setGeometry(entry.left, entry.top, entry.width, entry.height);
        if (entry.font.family != nullptr)
            control->setFont(layoutFont(entry.font));
        control->setEnabled(entry.enabled);
    }
}
