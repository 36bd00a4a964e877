#include "app/ControlBindings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>

namespace {

ControlBindings::TextRole roleOf(QWidget& widget)
{
    using Role = ControlBindings::TextRole;
    if (qobject_cast<QLineEdit*>(&widget))
        return Role::Edit;
    if (qobject_cast<QComboBox*>(&widget))
        return Role::Combo;
    if (qobject_cast<QAbstractButton*>(&widget))
        return Role::Button;
    if (qobject_cast<QLabel*>(&widget))
        return Role::Label;
    if (qobject_cast<QGroupBox*>(&widget))
        return Role::Group;
    return Role::None;
}

QMetaProperty publishedProperty(const QWidget& widget, const std::string& name, const std::string& property)
{
    const int index = widget.metaObject()->indexOfProperty(property.c_str());
    if (index < 0)
        throw std::logic_error(name + " has no property " + property);
    return widget.metaObject()->property(index);
}

} // namespace

void ControlBindings::bind(const QWidget& window)
{
    handles_.clear();
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty())
            handles_.emplace(child->objectName().toStdString(), Handle{child, roleOf(*child)});
    }
}

const ControlBindings::Handle& ControlBindings::at(const std::string& name) const
{
    const auto found = handles_.find(name);
    if (found == handles_.end())
        throw std::logic_error("No control named " + name);
    return found->second;
}

QString ControlBindings::text(const std::string& name) const
{
    const Handle& h = at(name);
    switch (h.role) {
    case TextRole::Edit:
        return static_cast<QLineEdit*>(h.widget)->text();
    case TextRole::Combo:
        return static_cast<QComboBox*>(h.widget)->currentText();
    case TextRole::Button:
        return static_cast<QAbstractButton*>(h.widget)->text();
    case TextRole::Label:
        return static_cast<QLabel*>(h.widget)->text();
    case TextRole::Group:
        return static_cast<QGroupBox*>(h.widget)->title();
    case TextRole::None:
        break;
    }
    throw std::logic_error("Control without text: " + name);
}

void ControlBindings::setText(const std::string& name, const QString& text) const
{
    const Handle& h = at(name);
    switch (h.role) {
    case TextRole::Edit:
        static_cast<QLineEdit*>(h.widget)->setText(text);
        return;
    case TextRole::Combo: {
        // The selection follows the text, so an emptied box sends "none".
        auto* combo = static_cast<QComboBox*>(h.widget);
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        combo->setEditText(text);
        return;
    }
    case TextRole::Button:
        static_cast<QAbstractButton*>(h.widget)->setText(text);
        return;
    case TextRole::Label:
        static_cast<QLabel*>(h.widget)->setText(text);
        return;
    case TextRole::Group:
        static_cast<QGroupBox*>(h.widget)->setTitle(text);
        return;
    case TextRole::None:
        break;
    }
    throw std::logic_error("Control without text: " + name);
}

double ControlBindings::property(const std::string& name, const std::string& property) const
{
    const QWidget& widget = *at(name).widget;
    return publishedProperty(widget, name, property).read(&widget).toDouble();
}

void ControlBindings::setProperty(const std::string& name, const std::string& property, double value) const
{
    QWidget& widget = *at(name).widget;
    if (!publishedProperty(widget, name, property).write(&widget, value))
        throw std::logic_error("Cannot set " + name + "." + property);
}

void ControlBindings::requireProperty(const std::string& name, const std::string& property) const
{
    publishedProperty(*at(name).widget, name, property);
}
