#include "cli/MetricsServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <memory>

MetricsServer::MetricsServer(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler))
{
    connect(&server_, &QTcpServer::newConnection, this, &MetricsServer::accept);
}

std::string MetricsServer::listen(const QHostAddress& address, quint16 port)
{
    if (!server_.listen(address, port))
        return server_.errorString().toStdString();
    return {};
}

bool MetricsServer::parseListen(const std::string& text, QHostAddress& address, quint16& port)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    std::string host = text.substr(0, colon);
    const std::string digits = text.substr(colon + 1);
    unsigned value = 0;
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || fault != std::errc() || end != digits.data() + digits.size() || value > 65535)
        return false;
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty())
        address = QHostAddress::Any;
    else if (host == "localhost")
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(QString::fromStdString(host)))
        return false;
    port = static_cast<quint16>(value);
    return true;
}

void MetricsServer::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        if (clients_.size() >= kMostClients) {
            QTcpSocket* oldest = clients_.front();
            clients_.pop_front();
            oldest->abort();
            oldest->deleteLater();
        }
        clients_.push_back(socket);
        auto head = std::make_shared<HttpRequestHead>();
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, [this, socket, head] {
            // Still sending its request: tell it why. Otherwise it does not
            // read its answer, and is cut off.
            if (head->state() == HttpRequestHead::State::Incomplete) {
                answer(socket, httpError(408));
                QTimer::singleShot(deadlineMs_, socket, &QTcpSocket::abort);
            } else {
                socket->abort();
            }
        });
        deadline->start(deadlineMs_);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { std::erase(clients_, socket); });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] { serve(socket, *head); });
    }
}

void MetricsServer::serve(QTcpSocket* socket, HttpRequestHead& head)
{
    if (head.state() != HttpRequestHead::State::Incomplete) {
        socket->readAll();   // the answer is on its way; the rest is not wanted
        return;
    }
    const QByteArray bytes = socket->readAll();
    switch (head.add(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    case HttpRequestHead::State::Incomplete:
        return;
    case HttpRequestHead::State::Malformed:
        answer(socket, httpError(400));
        return;
    case HttpRequestHead::State::TooLarge:
        answer(socket, httpError(431));
        return;
    case HttpRequestHead::State::BadVersion:
        answer(socket, httpError(505));
        return;
    case HttpRequestHead::State::Complete:
        break;
    }
    if (head.method() != "GET" && head.method() != "HEAD") {
        answer(socket, httpError(405));
        return;
    }
    HttpAnswer reply = handler_(head.method(), head.path());
    reply.withBody = head.method() == "GET";
    answer(socket, reply);
}

void MetricsServer::answer(QTcpSocket* socket, const HttpAnswer& reply)
{
    const std::string bytes = reply.bytes();
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket->disconnectFromHost();
}
