#include "cli/HttpRequestHead.h"

#include <algorithm>

HttpRequestHead::State HttpRequestHead::add(std::string_view bytes)
{
    if (state_ != State::Incomplete)
        return state_;
    // Only the head is wanted: take no more than can still belong to it.
    const std::size_t room = kLargestHead - head_.size();
    head_.append(bytes.substr(0, room));
    const std::size_t end = head_.find("\r\n\r\n");
    if (end == std::string::npos) {
        if (head_.size() >= kLargestHead)
            state_ = State::TooLarge;
        return state_;
    }
    state_ = parseRequestLine(std::string_view(head_).substr(0, head_.find("\r\n")));
    return state_;
}

HttpRequestHead::State HttpRequestHead::parseRequestLine(std::string_view line)
{
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
        return State::Malformed;
    const std::string_view method = line.substr(0, first);
    const std::string_view target = line.substr(first + 1, second - first - 1);
    const std::string_view version = line.substr(second + 1);
    const auto token = [](char c) { return (c >= 'A' && c <= 'Z') || c == '-'; };
    if (method.empty() || !std::all_of(method.begin(), method.end(), token) || target.empty() || target[0] != '/')
        return State::Malformed;
    if (std::any_of(target.begin(), target.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }))
        return State::Malformed;
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return version.rfind("HTTP/", 0) == 0 ? State::BadVersion : State::Malformed;
    method_ = method;
    path_ = target.substr(0, target.find('?'));
    return State::Complete;
}

std::string_view httpReason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
    default: return "Error";
    }
}

HttpAnswer httpError(int status)
{
    HttpAnswer answer;
    answer.status = status;
    answer.body = std::to_string(status) + " " + std::string(httpReason(status)) + "\n";
    return answer;
}

std::string HttpAnswer::bytes() const
{
    std::string out = "HTTP/1.1 " + std::to_string(status) + " " + std::string(httpReason(status)) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    if (status == 405)
        out += "Allow: GET, HEAD\r\n";
    out += "Connection: close\r\n\r\n";
    if (withBody)
        out += body;
    return out;
}
