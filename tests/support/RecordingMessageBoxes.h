#pragma once

#include "console/MessageBoxes.h"

#include <functional>
#include <string>
#include <vector>

// Records every message box instead of showing it, and returns at once.
// An optional hook runs while the "box is open", standing in for the timer
// ticks that a real nested event loop would let through.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Message {
        std::string text;
        std::string caption;
        bool operator==(const Message&) const = default;
    };

    void show(const std::string& text, const std::string& caption) override;

    const std::vector<Message>& messages() const { return messages_; }
    bool empty() const { return messages_.empty(); }
    // The latest message, or an empty one when none was shown.
    Message last() const { return messages_.empty() ? Message{} : messages_.back(); }
    void clear() { messages_.clear(); }

    std::function<void(const Message&)> whileOpen;

private:
    std::vector<Message> messages_;
};
