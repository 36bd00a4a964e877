#include "console/QtMessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <algorithm>

namespace {

const QString kEllipsis = QStringLiteral("…");

}

QString QtMessageBoxes::boundedText(const QString& text, int columns, int lines)
{
    columns = std::max(columns, 1);
    lines = std::max(lines, 1);
    QStringList kept;
    bool cut = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        qsizetype from = 0;
        do {
            if (kept.size() == lines) {
                cut = true;
                break;
            }
            // Break at the last blank that keeps the piece short enough,
            // inside a word only when it alone is too long.
            qsizetype end = std::min(from + columns, line.size());
            qsizetype next = end;
            if (end < line.size()) {
                const qsizetype blank = line.lastIndexOf(QLatin1Char(' '), end);
                if (blank > from) {
                    end = blank;
                    next = blank + 1;
                }
            }
            kept << line.mid(from, end - from);
            from = next;
        } while (from < line.size());
        if (cut)
            break;
    }
    if (cut)
        kept.last() = kept.last().left(std::max(columns - 1, 0)) + kEllipsis;
    return kept.join(QLatin1Char('\n'));
}

std::unique_ptr<QMessageBox> QtMessageBoxes::makeBox(const std::string& text, const std::string& caption,
                                                     QScreen* screen)
{
    const QString full = QString::fromStdString(text);
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromStdString(caption), full,
                                             QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return box;
    box->setScreen(screen);
    // Lines of at most half the screen's width in the widest character, and
    // half a screen's height of them counted twice over, because the box
    // may wrap each such line once more at its own label width.
    const QRect area = screen->availableGeometry();
    const QFontMetrics metrics = box->fontMetrics();
    const int columns = std::max(area.width() / 2 / std::max(metrics.horizontalAdvance(QLatin1Char('W')), 1), 10);
    const int lines = std::max(area.height() / 4 / std::max(metrics.lineSpacing(), 1), 1);
    const QString bounded = boundedText(full, columns, lines);
    if (bounded != full)
        box->setText(bounded);
    return box;
}

void QtMessageBoxes::show(const std::string& text, const std::string& caption)
{
    const std::unique_ptr<QMessageBox> box = makeBox(text, caption, QGuiApplication::primaryScreen());
    box->exec();
}
