#include "app/WindowPlacement.h"

#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void showBesideForm(QWidget& window, const QWidget& form, QPoint offset)
{
    if (!window.isVisible()) {
        QPoint at = form.frameGeometry().topLeft() + offset;
        if (const QScreen* screen = form.screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - window.frameGeometry().width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - window.frameGeometry().height())));
        }
        window.move(at);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

void showWarningBeside(QWidget& form, const QString& caption, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, &form);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}
