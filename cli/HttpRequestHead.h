#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The head of one HTTP/1.x request, read with a hard bound: what a small
// metrics endpoint needs (method and path) and nothing it does not. The
// body, if any, is never read; every answer closes the connection.
class HttpRequestHead {
public:
    static constexpr std::size_t kLargestHead = 8192;

    enum class State {
        Incomplete,   // more bytes needed
        Complete,     // method() and path() are set
        Malformed,    // 400
        TooLarge,     // 431: no blank line within kLargestHead bytes
        BadVersion,   // 505: not HTTP/1.0 or 1.1
    };

    // Takes the bytes that arrived; the state after them.
    State add(std::string_view bytes);
    State state() const { return state_; }
    const std::string& method() const { return method_; }
    // The path without a query string.
    const std::string& path() const { return path_; }

private:
    State parseRequestLine(std::string_view line);

    std::string head_;
    State state_ = State::Incomplete;
    std::string method_;
    std::string path_;
};

// The answer to a request; built by the endpoint, written by the server.
struct HttpAnswer {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
    bool withBody = true;   // false for HEAD

    std::string bytes() const;
};

// 400, 404, ... with a one-line plain text body.
HttpAnswer httpError(int status);
// The reason phrase of a status code.
std::string_view httpReason(int status);
