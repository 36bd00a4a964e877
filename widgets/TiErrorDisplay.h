#pragma once

#include <exception>
#include <functional>

// Where an error raised while a widget handles the user's keys or a focus
// change goes: the application installs its error display here (the one its
// own handlers' errors reach), so a text the user typed that is not a number
// is reported like any other. Without an installed display the error is
// written to the Qt warning log.
class TiErrorDisplay {
public:
    using Handler = std::function<void(const std::exception&)>;

    // Keeps a handler installed for its own lifetime and puts the previous one
    // back afterwards.
    class Installation {
    public:
        explicit Installation(Handler handler);
        ~Installation();
        Installation(const Installation&) = delete;
        Installation& operator=(const Installation&) = delete;

    private:
        Handler m_previous;
    };

    static void Show(const std::exception& error);
};
