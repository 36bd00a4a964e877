#include "app/CompareDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const std::vector<ParameterDifference>& differences, const std::string& broken,
                             QWidget* parent)
    : QDialog(parent)
{
    setObjectName("CompareDialog");
    setWindowTitle("Compare");
    auto* layout = new QVBoxLayout(this);
    if (differences.empty()) {
        auto* none = new QLabel("no differences", this);
        none->setObjectName("NoDifferences");
        layout->addWidget(none);
    } else {
        auto* heading = new QLabel(QString::number(differences.size())
                + (differences.size() == 1 ? " parameter differs" : " parameters differ")
                + " from the file:", this);
        layout->addWidget(heading);
        auto* table = new QTableWidget(static_cast<int>(differences.size()), 3, this);
        table->setObjectName("Differences");
        table->setHorizontalHeaderLabels({"Parameter", "Controller", "File"});
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (int row = 0; row < table->rowCount(); ++row) {
            const ParameterDifference& d = differences[static_cast<std::size_t>(row)];
            table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(d.parameter)));
            table->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(d.controller)));
            table->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(d.file)));
        }
        table->resizeColumnsToContents();
        table->horizontalHeader()->setStretchLastSection(true);
        table->setMinimumWidth(380);
        // Tall enough for a handful of rows; more scroll.
        table->setMaximumHeight(table->horizontalHeader()->height()
            + table->rowHeight(0) * std::min(table->rowCount(), 12) + 4);
        layout->addWidget(table);
    }
    if (!broken.empty()) {
        auto* rules = new QLabel(QString::fromStdString(broken), this);
        rules->setObjectName("BrokenRules");
        rules->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QPalette colours = rules->palette();
        colours.setColor(QPalette::WindowText, QColor(176, 0, 0));
        rules->setPalette(colours);
        layout->addWidget(rules);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
