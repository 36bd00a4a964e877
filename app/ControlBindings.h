#pragma once

#include <QString>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <unordered_map>

// The window's controls bound once, after the layout is built, from their
// layout names to typed handles. Every lookup of a name the layout does not
// have, and every read or write of a property a widget does not publish,
// throws std::logic_error: a misspelt name fails where it is used instead
// of doing nothing.
class ControlBindings {
public:
    // How a control's text is reached.
    enum class TextRole { None, Edit, Combo, Button, Label, Group };

    struct Handle {
        QWidget* widget = nullptr;
        TextRole role = TextRole::None;
    };

    // Binds every named child of `window`.
    void bind(const QWidget& window);

    bool has(const std::string& name) const { return handles_.count(name) != 0; }
    const Handle& at(const std::string& name) const;

    template <class Control>
    Control& as(const std::string& name) const
    {
        auto* found = qobject_cast<Control*>(at(name).widget);
        if (found == nullptr)
            throw std::logic_error(name + " is not a " + Control::staticMetaObject.className());
        return *found;
    }

    // Text of an edit, combo box, button, label or group box.
    QString text(const std::string& name) const;
    void setText(const std::string& name, const QString& text) const;

    // Published property of a widget.
    double property(const std::string& name, const std::string& property) const;
    void setProperty(const std::string& name, const std::string& property, double value) const;
    // Throws unless `name` exists and publishes `property`.
    void requireProperty(const std::string& name, const std::string& property) const;

private:
    std::unordered_map<std::string, Handle> handles_;
};
