#include "cli/HeadlessForm.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(HeadlessForm, ComboBoxesBehaveAsTheWindowsDo)
{
    HeadlessForm form;
    // Read All selects by index; an index without an item empties the box.
    form.setComboIndex("ComboBox7", 1);
    EXPECT_EQ(form.text("ComboBox7"), "NC");
    EXPECT_EQ(form.itemIndex("ComboBox7"), 1);
    form.setComboIndex("ComboBox7", 5);
    EXPECT_EQ(form.text("ComboBox7"), "");
    EXPECT_EQ(form.itemIndex("ComboBox7"), -1);
    // A text selects the item it names; emptying the box selects none.
    form.setText("ComboBox1", "Enable");
    EXPECT_EQ(form.itemIndex("ComboBox1"), 1);
    form.setText("ComboBox1", "");
    EXPECT_EQ(form.itemIndex("ComboBox1"), -1);
    form.setText("ComboBox1", "Enabled");
    EXPECT_EQ(form.itemIndex("ComboBox1"), -1);
}

TEST(HeadlessForm, AControlTheConsoleDoesNotHaveIsAnError)
{
    HeadlessForm form;
    EXPECT_THROW(form.setControlText("Edit99", "1"), std::logic_error);
    EXPECT_THROW(form.text("Edit99"), std::logic_error);
    EXPECT_THROW(form.setComboIndex("Edit12", 0), std::logic_error);
    EXPECT_THROW(form.itemIndex("Edit12"), std::logic_error);
}

}
