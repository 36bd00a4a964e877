#pragma once

#include <QComboBox>
#include <QStringList>

#include <functional>

// Editable port-name combo box. Port names are typed in upper case (a device
// path starting with '/' is left as typed), and the list is asked for afresh
// each time it drops down, so an adapter plugged in after start-up shows up.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(QWidget* parent = nullptr);

    void setItemSource(std::function<QStringList()> source);
    void refreshItems();
    void showPopup() override;

private:
    void upperCaseTyped(const QString& text);

    std::function<QStringList()> source_;
};
