#include "console/QtMessageBoxes.h"

#include <QMessageBox>

void QtMessageBoxes::show(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}
