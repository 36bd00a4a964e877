#include "app/PortComboBox.h"

#include "link/PortNames.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QLineEdit>

PortComboBox::PortComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PortComboBox::upperCaseTyped);
    // The box is narrow; its tip names the whole device.
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) { setToolTip(text); });
}

void PortComboBox::setItemSource(std::function<QStringList()> source)
{
    source_ = std::move(source);
}

void PortComboBox::refreshItems()
{
    if (!source_)
        return;
    const QStringList items = source_();
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (items == shown)
        return;
    // Keep what the operator typed or picked; a picked item stays picked if
    // it is still offered.
    const QString typed = currentText();
    const bool picked = currentIndex() >= 0;
    const QSignalBlocker quiet(this);
    clear();
    addItems(items);
    setCurrentIndex(picked ? items.indexOf(typed) : -1);
    setEditText(typed);
}

void PortComboBox::showPopup()
{
    refreshItems();
    // Device paths are far wider than the box: the list opens wide enough to
    // read them whole.
    int widest = width();
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 24);
    view()->setMinimumWidth(widest);
    QComboBox::showPopup();
}

void PortComboBox::upperCaseTyped(const QString& text)
{
    const QString upper = QString::fromStdString(PortNames::typedPortText(text.toStdString()));
    if (upper == text)
        return;
    QLineEdit* edit = lineEdit();
    const int cursor = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(cursor);
}
