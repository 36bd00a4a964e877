#include "console/ConversionError.h"

ConversionError ConversionError::integer(const std::string& text)
{
    return ConversionError("'" + text + "' is not a valid integer value.");
}

ConversionError ConversionError::floatingPoint(const std::string& text)
{
    return ConversionError("'" + text + "' is not a valid floating point value.");
}
