#pragma once

#include "console/FormControls.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// Controls as a map from layout name to text and selected item. Unknown
// controls read as empty text and no selection. Every setText and message
// is recorded in order.
class FakeFormControls : public FormControls {
public:
    std::string text(const std::string& control) const override;
    void setText(const std::string& control, const std::string& text) override;
    int itemIndex(const std::string& control) const override;
    void showMessage(const std::string& text, const std::string& caption) override;

    void setItemIndex(const std::string& control, int index);

    std::map<std::string, std::string> texts;
    std::map<std::string, int> itemIndices;
    std::vector<std::string> setTextOrder;
    std::vector<std::pair<std::string, std::string>> messages;
};
