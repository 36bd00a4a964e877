#include "support/FakeFormControls.h"

std::string FakeFormControls::text(const std::string& control) const
{
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second;
}

void FakeFormControls::setText(const std::string& control, const std::string& text)
{
    texts[control] = text;
    setTextOrder.push_back(control);
}

int FakeFormControls::itemIndex(const std::string& control) const
{
    const auto it = itemIndices.find(control);
    return it == itemIndices.end() ? -1 : it->second;
}

void FakeFormControls::showMessage(const std::string& text, const std::string& caption)
{
    messages.emplace_back(text, caption);
}

void FakeFormControls::setItemIndex(const std::string& control, int index)
{
    itemIndices[control] = index;
}
