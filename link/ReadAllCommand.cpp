#include "link/ReadAllCommand.h"

#include "link/FloatText.h"
#include "link/Frames.h"

#include <string>

namespace {

constexpr std::uint16_t kRegisterCount = 44;

enum class Form { Unsigned, Signed, Tenths, Combo };
using F = Form;

struct Target {
    int reg;
    const char* control;
    Form form;
};

// Every register written back, in register order (30 to 32 have no control).
constexpr Target kTargets[] = {
    {0, "Edit12", F::Unsigned},   {1, "Edit5", F::Unsigned},    {2, "Edit13", F::Unsigned},
    {3, "Edit14", F::Tenths},     {4, "Edit27", F::Tenths},     {5, "Edit9", F::Tenths},
    {6, "Edit6", F::Tenths},      {7, "Edit7", F::Tenths},      {8, "Edit41", F::Unsigned},
    {9, "ComboBox1", F::Combo},   {10, "ComboBox2", F::Combo},  {11, "Edit34", F::Unsigned},
    {12, "Edit8", F::Unsigned},   {13, "Edit35", F::Unsigned},  {14, "Edit36", F::Tenths},
    {15, "Edit37", F::Tenths},    {16, "Edit15", F::Tenths},    {17, "Edit38", F::Tenths},
    {18, "Edit39", F::Tenths},    {19, "Edit40", F::Unsigned},  {20, "ComboBox3", F::Combo},
    {21, "ComboBox4", F::Combo},  {22, "Edit52", F::Tenths},    {23, "Edit53", F::Tenths},
    {24, "Edit50", F::Tenths},    {25, "Edit51", F::Tenths},    {26, "ComboBox5", F::Combo},
    {27, "Edit4", F::Signed},     {28, "Edit24", F::Tenths},    {29, "Edit25", F::Tenths},
    {33, "Edit1", F::Tenths},     {34, "Edit2", F::Tenths},     {35, "Edit10", F::Tenths},
    {36, "Edit16", F::Tenths},    {37, "ComboBox6", F::Combo},  {38, "ComboBox7", F::Combo},
    {39, "Edit18", F::Tenths},    {40, "Edit28", F::Tenths},    {41, "Edit30", F::Tenths},
    {42, "Edit29", F::Tenths},    {43, "Edit31", F::Signed},
};

}

std::size_t ReadAllCommand::buildRequest(LinkState& state) const
{
    return Frames::buildRead(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), function(), 0,
                             kRegisterCount);
}

std::uint8_t ReadAllCommand::function() const
{
    return Frames::Function::ReadHoldingRegisters;
}

std::size_t ReadAllCommand::replyLength() const
{
    return Frames::replyLength(function(), kRegisterCount);
}

void ReadAllCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    for (const Target& t : kTargets) {
        const auto word = Frames::registerValue(reply, static_cast<std::size_t>(t.reg));
        if (!word)
            continue;
        const auto value = static_cast<std::int16_t>(*word);
        switch (t.form) {
        case Form::Unsigned:
            context.view.setControlText(t.control, std::to_string(*word));
            break;
        case Form::Signed:
            context.view.setControlText(t.control, std::to_string(value));
            break;
        case Form::Tenths:
            context.view.setControlText(t.control, tenthsText(value));
            break;
        case Form::Combo:
            context.view.setComboIndex(t.control, value);
            break;
        }
    }
    context.commandAnswered();
}

void ReadAllCommand::onWrongReply(EngineContext& context) const
{
    context.endCommand();
}

void ReadAllCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}
