#include "console/QtMessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <gtest/gtest.h>

#include <string>

TEST(QtMessageBoxes, BoundedTextBreaksLongLinesAndCutsExtraLines)
{
    EXPECT_EQ(QtMessageBoxes::boundedText("Set Successfully", 40, 5), "Set Successfully");
    EXPECT_EQ(QtMessageBoxes::boundedText("abcdefgh", 3, 5), "abc\ndef\ngh");
    EXPECT_EQ(QtMessageBoxes::boundedText("abcdefgh", 3, 2), QString::fromUtf8("abc\nde…"));
    EXPECT_EQ(QtMessageBoxes::boundedText("a\n\nb\nc", 3, 3), QString::fromUtf8("a\n\nb…"));
    EXPECT_EQ(QtMessageBoxes::boundedText("", 3, 1), "");
    EXPECT_EQ(QtMessageBoxes::boundedText("ab cd efgh", 5, 5), "ab cd\nefgh");
    EXPECT_EQ(QtMessageBoxes::boundedText("ab cdefghij", 5, 5), "ab\ncdefg\nhij");
}

// However long the text, the box and its OK button stay on the screen.
TEST(QtMessageBoxes, NoBoxOutgrowsTheScreen)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    std::string words;
    while (words.size() < 10000)
        words += "value ";
    std::string lines;
    for (int i = 0; i < 400; ++i)
        lines += "line\n";
    for (const std::string& text : {std::string(10000, '7'), words, lines, std::string("Set Successfully")}) {
        SCOPED_TRACE(text.substr(0, 12));
        const auto box = QtMessageBoxes::makeBox(text, "Caption", screen);
        box->show();
        EXPECT_LE(box->frameGeometry().width(), area.width());
        EXPECT_LE(box->frameGeometry().height(), area.height());
        EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
        box->hide();
    }
    EXPECT_EQ(QtMessageBoxes::makeBox("Set Successfully", "Set Heater!", screen)->text(), "Set Successfully");
}
