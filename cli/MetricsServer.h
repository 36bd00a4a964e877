#pragma once

#include "cli/HttpRequestHead.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <deque>
#include <functional>
#include <string>

class QTcpSocket;

// A small HTTP endpoint on the event loop of the poll: reads each request's
// head under a bound, answers once from `handler` (which must not wait for
// anything) and closes. A client that is slow, sends too much or goes
// silent is cut off at its deadline; beyond kMostClients at once the oldest
// is dropped, so idle clients can neither hold up the poll nor lock out a
// scrape.
class MetricsServer : public QObject {
public:
    using Handler = std::function<HttpAnswer(const std::string& method, const std::string& path)>;

    static constexpr int kMostClients = 32;
    static constexpr int kDefaultDeadlineMs = 10000;

    explicit MetricsServer(Handler handler, QObject* parent = nullptr);

    // Empty on success, else why not.
    std::string listen(const QHostAddress& address, quint16 port);
    quint16 port() const { return server_.serverPort(); }
    // How long one client may take from connecting to having read its answer.
    void setDeadlineMs(int ms) { deadlineMs_ = ms; }
    int clients() const { return static_cast<int>(clients_.size()); }

    // "127.0.0.1:9464", "[::1]:9464", "0.0.0.0:9464" or ":9464" (every
    // interface) into an address and a port; false when it is none.
    static bool parseListen(const std::string& text, QHostAddress& address, quint16& port);

private:
    void accept();
    void serve(QTcpSocket* socket, HttpRequestHead& head);
    void answer(QTcpSocket* socket, const HttpAnswer& answer);

    Handler handler_;
    QTcpServer server_;
    int deadlineMs_ = kDefaultDeadlineMs;
    std::deque<QTcpSocket*> clients_;   // oldest first
};
