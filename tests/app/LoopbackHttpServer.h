#pragma once

#include <map>
#include <utility>

#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small HTTP/1.1 server on 127.0.0.1 and nowhere else, run by the test's event loop: each path
// answers with a fixed response (404 when none), and every request's path is recorded.
class LoopbackHttpServer {
public:
    struct Response {
        int status = 200;
        QByteArray body{};
        QByteArray headers{}; // extra lines, each ending "\r\n"
        // The length announced (-1: the body's); announcing more keeps the connection open
        // after the body, as a slow server does, unless it hangs up.
        qint64 announced = -1;
        bool hangUp = false;
        bool silent = false; // never answers
    };

    LoopbackHttpServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { Answer(socket); });
            }
        });
        server_.listen(QHostAddress(QHostAddress::LocalHost), 0);
    }

    bool Listening() const { return server_.isListening(); }
    QUrl Folder() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/files/").arg(server_.serverPort()));
    }
    void Serve(const QString& path, Response response) { responses_[path] = std::move(response); }

    QStringList requests;

private:
    void Answer(QTcpSocket* socket) {
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request.contains("\r\n\r\n") ? QByteArray() : request);
        if (!request.contains("\r\n\r\n"))
            return;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        requests.append(path);
        const auto found = responses_.find(path);
        const Response response =
            found != responses_.end() ? found->second : Response{.status = 404};
        if (response.silent)
            return;
        const qint64 announced =
            response.announced >= 0 ? response.announced : response.body.size();
        socket->write("HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n" +
                      "Content-Length: " + QByteArray::number(announced) + "\r\n" +
                      "Connection: close\r\n" + response.headers + "\r\n" + response.body);
        if (announced <= response.body.size() || response.hangUp)
            socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QString, Response> responses_;
};
