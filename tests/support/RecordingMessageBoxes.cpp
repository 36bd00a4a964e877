#include "support/RecordingMessageBoxes.h"

void RecordingMessageBoxes::show(const std::string& text, const std::string& caption)
{
    messages_.push_back({text, caption});
    if (whileOpen) {
        const Message shown = messages_.back();
        whileOpen(shown);
    }
}
