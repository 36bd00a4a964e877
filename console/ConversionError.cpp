#include "console/ConversionError.h"

namespace {

constexpr std::size_t kQuotedCharacters = 40;

bool continuesCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

}

std::string ConversionError::quoted(const std::string& text)
{
    // Counted in characters, so a multi-byte character is never cut in two.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (continuesCharacter(text[i]))
            continue;
        if (characters == kQuotedCharacters)
            return text.substr(0, i) + "…";
        ++characters;
    }
    return text;
}

ConversionError ConversionError::integer(const std::string& text)
{
    return ConversionError(std::string("'").append(quoted(text)).append("' is not a valid integer value."));
}

ConversionError ConversionError::floatingPoint(const std::string& text)
{
    return ConversionError(std::string("'").append(quoted(text)).append("' is not a valid floating point value."));
}
