#include "app/QtParameterDialogs.h"

#include "app/CompareDialog.h"
#include "widgets/FileDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kFilter = "Parameter files (*.json);;All files (*)";
const char* const kKind = "parameters";

std::optional<std::string> chosen(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

}

std::optional<std::string> QtParameterDialogs::saveFileName()
{
    return chosen(FileDialogs::saveFileName(owner_, "Save Parameters", kKind, kFilter, "json"));
}

std::optional<std::string> QtParameterDialogs::openFileName(const std::string& caption)
{
    return chosen(FileDialogs::openFileName(owner_, QString::fromStdString(caption), kKind, kFilter));
}

ParameterDialogs::Answer QtParameterDialogs::askReadAllFirst()
{
    const auto answer = QMessageBox::question(owner_, "Save Parameters",
        "The controls were not read from the controller since the port was opened.\n"
        "Read All first, then save what the controller holds?",
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

bool QtParameterDialogs::confirmWriteAll(const std::string& file)
{
    return QMessageBox::question(owner_, "Write All",
               "Write the parameters of " + QString::fromStdString(file) + " to the controller?",
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes)
        == QMessageBox::Yes;
}

bool QtParameterDialogs::writeDespiteBrokenRules(const std::string& broken)
{
    QMessageBox box(QMessageBox::Warning, "Write All",
        "The file's values break these rules:\n\n" + QString::fromStdString(broken)
            + "\n\nThe controller takes them as they are. Write them anyway?",
        QMessageBox::NoButton, owner_);
    box.setObjectName("BrokenRulesQuestion");
    // Wide enough for a rule on one line.
    box.setStyleSheet("QLabel#qt_msgbox_label { min-width: 520px; }");
    QPushButton* writeAnyway = box.addButton("Write anyway", QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == writeAnyway;
}

void QtParameterDialogs::showDifferences(const std::vector<ParameterDifference>& differences, const std::string& broken)
{
    CompareDialog dialog(differences, broken, owner_);
    dialog.exec();
}

void QtParameterDialogs::showReport(const std::string& text, const std::string& caption)
{
    QDialog dialog(owner_);
    dialog.setObjectName("ParameterReport");
    dialog.setWindowTitle(QString::fromStdString(caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* lines = new QPlainTextEdit(QString::fromStdString(text), &dialog);
    lines->setReadOnly(true);
    lines->setMinimumSize(560, 320);
    layout->addWidget(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}
