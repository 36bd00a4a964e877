#pragma once

#include <stdexcept>
#include <string>

// A typed text that is not a number. The window shows what() in a message
// box, so the message is the operator-facing text.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static ConversionError integer(const std::string& text);
    static ConversionError floatingPoint(const std::string& text);

    // The text as the message quotes it: its first 40 characters, then "…"
    // when there are more, so a pasted page cannot make the box outgrow the screen.
    static std::string quoted(const std::string& text);
};
