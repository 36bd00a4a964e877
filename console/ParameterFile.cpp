#include "console/ParameterFile.h"

#include "console/ParameterValues.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

namespace ParameterFile {

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return "null";
    case QJsonValue::Bool:
        return value.toBool() ? "true" : "false";
    case QJsonValue::Double:
        return "a number";
    case QJsonValue::String:
        return "the text \"" + value.toString().toStdString() + "\"";
    case QJsonValue::Array:
        return "a list";
    case QJsonValue::Object:
        return "an object";
    case QJsonValue::Undefined:
        break;
    }
    return "nothing";
}

// The number as its shortest exact decimal text, which the Set handler's
// conversion then reads like a typed value.
std::string numberText(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

// The value's text as the parameter's control would hold it, or a problem.
std::optional<std::string> valueText(const ParameterEntry& param, const QJsonValue& value, std::vector<Problem>& problems)
{
    const std::string name(param.name());
    if (param.isChoice()) {
        if (value.isString())
            return value.toString().toStdString();
        problems.push_back({name, "a choice text (" + std::string(param.items) + ") is expected, not "
                + typeName(value) + "."});
        return std::nullopt;
    }
    if (value.isDouble())
        return numberText(value.toDouble());
    problems.push_back({name, "a number is expected, not " + typeName(value) + "."});
    return std::nullopt;
}

// Keys given more than once in one object, in the order of their second
// appearance. The JSON reader keeps one of them silently; a file that says
// two things about a parameter must not pass. The text is valid JSON here.
std::vector<std::string> repeatedKeys(std::string_view text)
{
    std::vector<std::string> repeated;
    std::vector<std::set<std::string, std::less<>>> objects;   // keys so far; arrays hold none
    std::vector<bool> isObject;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '[') {
            isObject.push_back(c == '{');
            objects.emplace_back();
        } else if ((c == '}' || c == ']') && !objects.empty()) {
            isObject.pop_back();
            objects.pop_back();
        } else if (c == '"') {
            const std::size_t start = ++i;
            while (i < text.size() && text[i] != '"')
                i += text[i] == '\\' ? 2 : 1;
            const std::string_view key = text.substr(start, std::min(i, text.size()) - start);
            std::size_t next = i + 1;
            while (next < text.size() && std::isspace(static_cast<unsigned char>(text[next])))
                ++next;
            if (next < text.size() && text[next] == ':' && !objects.empty() && isObject.back()
                && !objects.back().emplace(key).second)
                repeated.emplace_back(key);
        }
    }
    return repeated;
}

// A number with more decimals than the register keeps (5.05 for a register
// of tenths) would be cut without a word; that is the file's problem.
std::optional<std::string> finerThanRegister(const ParameterEntry& param, double given, std::int32_t stored)
{
    const double kept = param.entry->scale == RegisterMap::Scale::Tenths ? stored / 10.0 : stored;
    if (std::abs(given - kept) <= 1e-9 * std::max(1.0, std::abs(given)))
        return std::nullopt;
    return numberText(given) + " has more decimals than the register holds (steps of "
        + ParameterValues::withUnit(param, 1) + ").";
}

void checkHeader(const QJsonObject& root, std::vector<Problem>& problems)
{
    const QJsonValue format = root.value("format");
    if (format.toString() != QLatin1String(kFormatName)) {
        problems.push_back({{}, "This is not a parameter file: \"format\" is " + typeName(format)
                + ", not \"" + kFormatName + "\"."});
        return;
    }
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() != kVersion) {
        problems.push_back({{}, "Parameter file version " + (version.isDouble() ? numberText(version.toDouble())
                : typeName(version)) + " is not supported; this console reads version " + std::to_string(kVersion) + "."});
    }
}

}

std::string toJson(const Document& document)
{
    const auto params = ParameterTable::all();
    if (document.values.size() != params.size())
        throw std::logic_error("A parameter document needs one value per parameter");
    std::string out = "{\n";
    out += "  \"format\": " + quoted(kFormatName) + ",\n";
    out += "  \"version\": " + std::to_string(kVersion) + ",\n";
    out += "  \"console\": " + quoted(document.console) + ",\n";
    out += "  \"date\": " + quoted(document.date) + ",\n";
    if (!document.firmware.empty())
        out += "  \"firmware\": " + quoted(document.firmware) + ",\n";
    if (document.busAddress)
        out += "  \"busAddress\": " + std::to_string(*document.busAddress) + ",\n";
    out += "  \"parameters\": {\n";
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParameterEntry& param = params[i];
        const std::string text = ParameterValues::unitText(param, document.values[i]);
        out += "    " + quoted(param.name()) + ": { \"register\": " + std::to_string(param.reg()) + ", \"value\": ";
        out += param.isChoice() ? quoted(text) : text;
        if (!param.unit().empty())
            out += ", \"unit\": " + quoted(param.unit());
        out += i + 1 < params.size() ? " },\n" : " }\n";
    }
    out += "  }\n}\n";
    return out;
}

Checked parse(std::string_view text)
{
    Checked checked;
    auto& problems = checked.problems;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (json.isNull()) {
        problems.push_back({{}, "The file is not readable JSON: " + error.errorString().toStdString()
                + " at character " + std::to_string(error.offset) + "."});
        return checked;
    }
    if (!json.isObject()) {
        problems.push_back({{}, "The file is not a parameter file: it holds no JSON object."});
        return checked;
    }
    const QJsonObject root = json.object();
    checkHeader(root, problems);
    if (!problems.empty())
        return checked;
    for (const std::string& key : repeatedKeys(text)) {
        if (ParameterTable::find(key))
            problems.push_back({key, "given more than once."});
        else
            problems.push_back({{}, "\"" + key + "\" is given more than once."});
    }
    const QJsonValue parametersValue = root.value("parameters");
    if (!parametersValue.isObject()) {
        problems.push_back({{}, "The file has no \"parameters\" object."});
        return checked;
    }
    const QJsonObject parameters = parametersValue.toObject();
    for (auto it = parameters.begin(); it != parameters.end(); ++it) {
        if (!ParameterTable::find(it.key().toStdString()))
            problems.push_back({it.key().toStdString(), "unknown parameter."});
    }

    Document document;
    document.console = root.value("console").toString().toStdString();
    document.date = root.value("date").toString().toStdString();
    document.firmware = root.value("firmware").toString().toStdString();
    if (root.value("busAddress").isDouble())
        document.busAddress = root.value("busAddress").toInt();
    for (const ParameterEntry& param : ParameterTable::all()) {
        const std::string name(param.name());
        const QJsonValue entry = parameters.value(QString::fromStdString(name));
        if (entry.isUndefined()) {
            problems.push_back({name, "missing."});
            continue;
        }
        if (!entry.isObject()) {
            problems.push_back({name, "an object with \"register\" and \"value\" is expected, not "
                    + typeName(entry) + "."});
            continue;
        }
        const QJsonObject fields = entry.toObject();
        const QJsonValue reg = fields.value("register");
        if (!reg.isUndefined() && (!reg.isDouble() || reg.toDouble() != param.reg())) {
            problems.push_back({name, "its register is " + std::to_string(param.reg()) + ", the file says "
                    + (reg.isDouble() ? numberText(reg.toDouble()) : typeName(reg)) + "."});
            continue;
        }
        const QJsonValue value = fields.value("value");
        if (value.isUndefined()) {
            problems.push_back({name, "has no \"value\"."});
            continue;
        }
        const std::optional<std::string> shown = valueText(param, value, problems);
        if (!shown)
            continue;
        const ParameterValues::Converted converted = ParameterValues::toRegister(param, *shown);
        if (!converted.value) {
            problems.push_back({name, converted.problem});
            continue;
        }
        if (const auto finer = value.isDouble() ? finerThanRegister(param, value.toDouble(), *converted.value)
                                                : std::nullopt) {
            problems.push_back({name, *finer});
            continue;
        }
        document.values.push_back(*converted.value);
    }
    if (problems.empty())
        checked.document = std::move(document);
    return checked;
}

namespace {

// A document of every parameter's converted value, or the problems.
Checked collected(const std::function<ParameterValues::Converted(const ParameterEntry&)>& convert)
{
    Checked checked;
    Document document;
    for (const ParameterEntry& param : ParameterTable::all()) {
        const ParameterValues::Converted converted = convert(param);
        if (converted.value)
            document.values.push_back(*converted.value);
        else
            checked.problems.push_back({std::string(param.name()), converted.problem});
    }
    if (checked.problems.empty())
        checked.document = std::move(document);
    return checked;
}

}

Checked fromTexts(const std::function<std::string(const ParameterEntry&)>& text)
{
    return collected([&text](const ParameterEntry& param) { return ParameterValues::toRegister(param, text(param)); });
}

Checked fromSet(const ParameterSet& parameters)
{
    return collected([&parameters](const ParameterEntry& param) {
        const std::optional<std::int32_t> value = parameters.value(*param.entry);
        return value ? ParameterValues::checked(param, *value)
                     : ParameterValues::Converted{std::nullopt, "not read from the controller."};
    });
}

ParameterSet toSet(const Document& document)
{
    const auto params = ParameterTable::all();
    if (document.values.size() != params.size())
        throw std::logic_error("A parameter document needs one value per parameter");
    ParameterSet parameters;
    for (std::size_t i = 0; i < params.size(); ++i)
        parameters.set(*params[i].entry, document.values[i]);
    return parameters;
}

std::string report(std::string_view headline, const std::vector<Problem>& problems)
{
    std::string out(headline);
    const std::size_t shown = std::min(problems.size(), kReportedProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        const Problem& p = problems[i];
        out += "\n" + (p.parameter.empty() ? p.message : p.parameter + ": " + p.message);
    }
    if (problems.size() > shown)
        out += "\n... and " + std::to_string(problems.size() - shown) + " more";
    out += "\n(" + std::to_string(problems.size()) + (problems.size() == 1 ? " problem)" : " problems)");
    return out;
}

}
