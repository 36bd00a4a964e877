#pragma once

class ParameterSet;

// What the transaction engine learns from the controller, as values: the
// console core takes them and its handlers decide what the window shows.
// Every call comes from inside a tick, before the exchange's message box.
class LinkResults {
public:
    virtual ~LinkResults() = default;

    // Read All answered: every parameter the reply carries.
    virtual void parametersRead(const ParameterSet& /*parameters*/) {}
};
